// The customer form: registers a customer, changes a customer's contact data or name, deletes a customer with
// everything stored for him. The mode is kept in the new-entry button's caption.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "register/Register.h"

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class CustomerSearchDialog;

class CustomerForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    CustomerForm(const vanto::FormContext& context, CustomerSearchDialog* search);

    // The menu it returns to.
    void Connect(QWidget* menu) { menu_ = menu; }

    // Opening from the monitor data menu: clears the fields, loads the customer list (nothing selected) and shows
    // the form.
    void ShowFromMenu();
    void Prepare();

    void FormShow() override;

    // New-entry mode while the toggle reads "登録取消".
    bool NewEntryMode() const;

private:
    void CustomerChosen();
    void ToggleNewEntry();
    void ConfirmCustomer();
    void DeleteCustomer();
    void SearchCustomer();
    void GoBack();
    void ClearFields();
    void LoadSelected();
    void ApplyModeLook();
    void SetNewEntryMode(bool on);
    vanto::CustomerProfile TypedProfile() const;

    QComboBox* customerCombo_ = nullptr;
    QLineEdit* customerNameEdit_ = nullptr;
    QLineEdit* postCode1Edit_ = nullptr;
    QLineEdit* postCode2Edit_ = nullptr;
    QLineEdit* phone1Edit_ = nullptr;
    QLineEdit* phone2Edit_ = nullptr;
    QLineEdit* phone3Edit_ = nullptr;
    QLineEdit* mobile1Edit_ = nullptr;
    QLineEdit* mobile2Edit_ = nullptr;
    QLineEdit* mobile3Edit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* currentVehicleEdit_ = nullptr; // hidden: the customer's current vehicle, written back unchanged
    QPushButton* newEntryButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QLabel* hintLabel_ = nullptr;

    vanto::FormContext context_;
    CustomerSearchDialog* search_;
    QWidget* menu_ = nullptr;
};
