// The customer form: registers a customer, changes a customer's contact data or name, deletes a customer with
// everything stored for him. The mode is kept in the new-entry button's caption.
#pragma once

#include <QWidget>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TCustomerForm : public QWidget {
    Q_OBJECT
public:
    TCustomerForm();
    ~TCustomerForm() override;

    // Opening from the monitor data menu: clears the fields and loads the customer list (nothing selected).
    void Prepare();

    void FormShow();
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClearFields();
    void LoadSelected();
    void ApplyModeLook();
    void SetNewEntryMode(bool on);
};
