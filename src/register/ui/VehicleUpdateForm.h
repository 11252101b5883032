// The vehicle form: registers a new vehicle for a customer, changes a vehicle's data and deletes a vehicle with
// everything stored for it. The mode is kept in the new-vehicle button's caption. The vehicle information form
// keeps this form's selection in step with its own, and the print setup saves a vehicle through it.
#pragma once

#include "register/ui/VehicleSelectionForm.h"

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class VehicleUpdateForm : public VehicleSelectionForm {
    Q_OBJECT
public:
    VehicleUpdateForm(const vanto::FormContext& context, CustomerSearchDialog* search);

    // The menu it returns to.
    void Connect(QWidget* menu) { menu_ = menu; }

    // Opening from the monitor data menu.
    void ShowFromMenu();

    // Follows the vehicle information form: the same customer, vehicle list and current vehicle.
    void KeepInStepWith(const VehicleSelectionState& selection);

    // The print setup's save: the vehicle's fields as printed are stored without a question, through the confirm.
    // True when they were stored.
    bool SaveVehicleSilently(const std::string& vehicleNumber, const vanto::VehicleProfile& fields);
    bool SilentSavePending() const { return silentSave_; }

    void Reset() override;
    void LoadVehicle() override;

    // New-vehicle mode while the toggle reads "登録取消".
    bool NewVehicleMode() const;
    // False while the selector only shows the empty-register placeholder.
    bool HasCustomers() const;

protected:
    void DisableForNoCustomers() override;
    void ShowCustomer(const vanto::CustomerProfile& profile) override;
    void BeforeCustomerChange() override;
    void AfterCustomerLoaded() override;
    void AfterVehiclesListed() override;

private:
    void ToggleNewVehicle();
    void ConfirmVehicle();
    // The confirm; true when the vehicle was stored.
    bool Confirm();
    void DeleteVehicle();
    void GoBack();

    void ApplyModeLook();
    void SetNewVehicleMode(bool on);
    void BuildLayout();
    vanto::VehicleProfile FieldValues() const;

    QPushButton* searchButton_ = nullptr;
    QLineEdit* postCode1Edit_ = nullptr;
    QLineEdit* postCode2Edit_ = nullptr;
    QLineEdit* phone1Edit_ = nullptr;
    QLineEdit* phone2Edit_ = nullptr;
    QLineEdit* phone3Edit_ = nullptr;
    QLineEdit* mobile1Edit_ = nullptr;
    QLineEdit* mobile2Edit_ = nullptr;
    QLineEdit* mobile3Edit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;

    // The vehicle number typed for a new vehicle, or the current vehicle's number that a confirm stores under.
    QLineEdit* vehicleNumberEdit_ = nullptr;
    QLineEdit* managementNumberEdit_ = nullptr;
    QLineEdit* makerEdit_ = nullptr;
    QLineEdit* carNameEdit_ = nullptr;
    QLineEdit* firstRegistrationEdit_ = nullptr;
    QLineEdit* bodyNumberEdit_ = nullptr;
    QLineEdit* typeEdit_ = nullptr;
    QLineEdit* engineTypeEdit_ = nullptr;
    QLineEdit* commentEdit_ = nullptr;
    QLineEdit* mileageEdit_ = nullptr;        // hidden
    QLineEdit* nextInspectionEdit_ = nullptr; // hidden
    QComboBox* folderTimeCombo_ = nullptr;    // hidden: folder times of the listed vehicles

    QPushButton* newVehicleButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QLabel* hintLabel_ = nullptr;

    QWidget* menu_ = nullptr;
    bool silentSave_ = false; // the next update confirm asks nothing
};
