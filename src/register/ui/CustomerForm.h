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
    void CustomerChosen();
    void ToggleNewEntry();  // new entry on / off
    void ConfirmCustomer(); // confirm
    void DeleteCustomer();  // delete
    void SearchCustomer();
    void GoBack(); // return

    // New-entry mode while the toggle reads "登録取消".
    bool NewEntryMode() const;

    QComboBox* customerCombo_ = nullptr;
    QLineEdit* customerNameEdit_ = nullptr; // お客様名
    QLineEdit* postCode1Edit_ = nullptr;    // 郵便番号
    QLineEdit* postCode2Edit_ = nullptr;
    QLineEdit* phone1Edit_ = nullptr; // 電話番号
    QLineEdit* phone2Edit_ = nullptr;
    QLineEdit* phone3Edit_ = nullptr;
    QLineEdit* mobile1Edit_ = nullptr; // 携帯電話
    QLineEdit* mobile2Edit_ = nullptr;
    QLineEdit* mobile3Edit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;        // 住所
    QLineEdit* currentVehicleEdit_ = nullptr; // hidden: the customer's current vehicle, written back unchanged
    QPushButton* newEntryButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QLabel* hintLabel_ = nullptr;

private:
    void ClearFields();
    void LoadSelected();
    void ApplyModeLook();
    void SetNewEntryMode(bool on);
    vanto::CustomerProfile TypedProfile() const;

    vanto::FormContext context_;
    CustomerSearchDialog* search_;
    QWidget* menu_ = nullptr;
};
