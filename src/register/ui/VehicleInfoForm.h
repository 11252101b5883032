// The vehicle information form: one customer's contact data and one of his vehicles with its stored records,
// side by side; from here a record is read from the tester, removed from the list, or the vehicle exported or
// printed. It keeps the vehicle update form's selection in step with its own.
#pragma once

#include "register/ui/VehicleSelectionForm.h"

#include <string>
#include <vector>

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class VehicleUpdateForm;
class WaitDialog;

// The vehicle as the form shows it: what the print setup copies onto the sheet.
struct VehicleInfoFields {
    std::string Customer;
    std::string Post1, Post2;
    std::string Tel1, Tel2, Tel3;
    std::string Mobile1, Mobile2, Mobile3;
    std::string Address;
    std::string VehicleNumber; // the vehicle selector's text
    vanto::VehicleProfile Vehicle;
    std::vector<std::string> Records; // the vehicle's record titles, as listed
};

class VehicleInfoForm : public VehicleSelectionForm {
    Q_OBJECT
public:
    VehicleInfoForm(const vanto::FormContext& context, CustomerSearchDialog* search);

    // The forms this one talks to: the vehicle update form it keeps in step, the wait dialog that runs the record
    // directory, the menu it returns to and the print setup form (null until printing is available).
    void Connect(VehicleUpdateForm* update, WaitDialog* wait, QWidget* menu, QWidget* printSetup);

    // Opening from the monitor data menu.
    void ShowFromMenu();

    // The record reading form's steps: it shows itself over this form (which stops taking input), hides this form
    // once the tester's records are listed, gives it back unchanged, or gives it back with the record stored (the
    // customer and vehicle stay; the new record is listed).
    void RecordReadStarted();
    void HideForRecordRead();
    void ReturnFromRecordRead();
    void ShowAfterRecordStored();

    // The print setup form's view of the vehicle, and its save of the two fields it edits.
    VehicleInfoFields Fields() const;
    void TakePrintedMileage(const std::string& mileage, const std::string& nextCheck);
    void ReturnFromPrinting();

    void Reset() override;
    void LoadVehicle() override;

protected:
    void DisableForNoCustomers() override;
    void ShowCustomer(const vanto::CustomerProfile& profile) override;
    void AfterCustomerLoaded() override;
    void AfterVehiclesListed() override;

private:
    void ManagementNumberChosen();
    void FirstRecordChosen();
    void SecondRecordChosen();
    void SearchVehicle();
    void ExportText();
    void ImportFromTester();
    void RemoveRecord(); // from the record list
    void GoBack();
    void OpenPrintSetup();

    void BuildLayout();
    void LoadRecords();
    void LoadMemo(QComboBox* selector, QPlainTextEdit* memo, std::vector<std::string>& lines);
    void SetVehicleButtons(bool enabled);
    void KeepPartnerInStep();

    QFrame* contentPanel_ = nullptr; // everything but the frame: off while the record reading form is over this one
    QLineEdit *postCode1Edit_ = nullptr, *postCode2Edit_ = nullptr;
    QLineEdit *phone1Edit_ = nullptr, *phone2Edit_ = nullptr, *phone3Edit_ = nullptr;
    QLineEdit *mobile1Edit_ = nullptr, *mobile2Edit_ = nullptr, *mobile3Edit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QComboBox* managementNumberCombo_ = nullptr;
    QLineEdit *makerEdit_ = nullptr, *carNameEdit_ = nullptr, *bodyNumberEdit_ = nullptr, *typeEdit_ = nullptr,
              *firstRegistrationEdit_ = nullptr, *engineTypeEdit_ = nullptr, *commentEdit_ = nullptr;
    QLineEdit *mileageEdit_ = nullptr, *hiddenTypeEdit_ = nullptr,
              *nextInspectionEdit_ = nullptr; // hidden: mileage, type, next inspection
    QComboBox* firstRecordCombo_ = nullptr;
    QComboBox* secondRecordCombo_ = nullptr;
    QPlainTextEdit* firstRecordMemo_ = nullptr;
    QPlainTextEdit* secondRecordMemo_ = nullptr;
    QPushButton *searchButton_ = nullptr, *exportButton_ = nullptr, *printButton_ = nullptr, *importButton_ = nullptr,
                *removeRecordButton_ = nullptr, *backButton_ = nullptr;

    VehicleUpdateForm* update_ = nullptr;
    WaitDialog* wait_ = nullptr;
    QWidget* menu_ = nullptr;
    QWidget* printSetup_ = nullptr;
    // The lines each record memo shows, as the record file holds them.
    std::vector<std::string> firstRecordLines_;
    std::vector<std::string> secondRecordLines_;
};
