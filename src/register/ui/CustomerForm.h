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
    void UserNameCBChange();
    void Button2Click(); // new entry on / off
    void Button5Click(); // confirm
    void Button1Click(); // delete
    void SearchBtnClick();
    void Button3Click(); // return

    // New-entry mode while the toggle reads "登録取消".
    bool NewEntryMode() const;

    QComboBox* UserNameCB = nullptr;
    QLineEdit* Edit1 = nullptr;  // お客様名
    QLineEdit* Edit12 = nullptr; // 郵便番号
    QLineEdit* Edit13 = nullptr;
    QLineEdit* Edit2 = nullptr; // 電話番号
    QLineEdit* Edit14 = nullptr;
    QLineEdit* Edit15 = nullptr;
    QLineEdit* Edit3 = nullptr; // 携帯電話
    QLineEdit* Edit16 = nullptr;
    QLineEdit* Edit17 = nullptr;
    QLineEdit* Edit4 = nullptr; // 住所
    QLineEdit* CarNo = nullptr; // hidden: the customer's current vehicle, written back unchanged
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* SearchBtn = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button3 = nullptr;
    QLabel* HintLabel = nullptr;

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
