// The vehicle form: registers a new vehicle for a customer, changes a vehicle's data and deletes a vehicle with
// everything stored for it. The mode is kept in the new-vehicle button's caption. The vehicle information
// form keeps this form's customer selection and vehicle lists in step with its own, and the print setup fills
// the vehicle fields and runs the confirm with SilentSave set.
#pragma once

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TCarInfoUpdateForm : public QWidget {
    Q_OBJECT
public:
    TCarInfoUpdateForm();
    ~TCarInfoUpdateForm() override;

    // The opening reset: clears the vehicle selector (entries and text), the hidden time list and every field.
    void Reset();

    void FormShow();
    void LoadCustomer();
    void LoadVehicle();
    // Fills CarNoCB and CarNoTimeCB from the customer's vehicle list, with the current vehicle as text and its
    // entry selected.
    void ListVehicles();
    void ApplyModeLook();

    void UserNameCBChange();
    void CarNoCBChange();
    void SearchBtnClick();
    void InsertBtnClick(); // new vehicle on / off
    void DecBtnClick();    // confirm
    void DeleteBtnClick();
    void RtnBtnClick();

    // New-vehicle mode while the toggle reads "登録取消".
    bool NewVehicleMode() const;
    // False while the selector only shows the empty-register placeholder.
    bool HasCustomers() const;

    int CustomerIndex = -1;
    bool ReloadOnShow = false; // set by the opening menu: the next show loads the first customer
    bool SilentSave = false;   // set by the print setup: its update confirm asks nothing
    std::string CurrentCustomer;
    std::string CurrentVehicle;

    QComboBox* UserNameCB = nullptr;
    QPushButton* SearchBtn = nullptr;
    QLineEdit* Zip1 = nullptr;
    QLineEdit* Zip2 = nullptr;
    QLineEdit* Phon1 = nullptr;
    QLineEdit* Phon2 = nullptr;
    QLineEdit* Phon3 = nullptr;
    QLineEdit* Mobile1 = nullptr;
    QLineEdit* Mobile2 = nullptr;
    QLineEdit* Mobile3 = nullptr;
    QLineEdit* Add = nullptr;

    QComboBox* CarNoCB = nullptr;
    QLineEdit* CarNo = nullptr;
    QLineEdit* Number = nullptr;
    QLineEdit* Maker = nullptr;
    QLineEdit* CarName = nullptr;
    QLineEdit* Model = nullptr;
    QLineEdit* BodyNo = nullptr;
    QLineEdit* CarForm = nullptr;
    QLineEdit* EngType = nullptr;
    QLineEdit* Comment = nullptr;
    QLineEdit* Mileage = nullptr;     // hidden
    QLineEdit* NextCheck = nullptr;   // hidden
    QComboBox* CarNoTimeCB = nullptr; // hidden: folder times of the listed vehicles

    QPushButton* InsertBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QPushButton* DecBtn = nullptr;
    QPushButton* RtnBtn = nullptr;
    QLabel* HintLabel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetNewVehicleMode(bool on);
    void BuildLayout();
};
