// The vehicle information form: one customer's contact data and one of his vehicles with its stored records,
// side by side; from here a record is read from the tester, removed from the list, or the vehicle exported.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TCarInfoForm : public QWidget {
    Q_OBJECT
public:
    TCarInfoForm();
    ~TCarInfoForm() override;

    // Set by the opening menu so that the next show selects the first customer and his current vehicle.
    bool ReloadOnShow = false;

    const std::string& CurrentCustomer() const { return currentCustomer_; }
    const std::string& CurrentVehicle() const { return currentVehicle_; }
    void SetCurrentCustomer(const std::string& name) { currentCustomer_ = name; }
    // The current vehicle's folder (with a trailing separator).
    std::string VehicleFolder() const;

    // Clears the vehicle and record lists, the display fields, the hidden fields and both memos.
    void Reset();
    void FormShow();
    void LoadCustomer();
    void LoadVehicle();

    // Handlers.
    void UserNameCBChange();
    void CarNoCBChange();
    void NumberCBChange();
    void ComboBox2Change();
    void ComboBox3Change();
    void Button10Click(); // search
    void Button7Click();  // text export
    void Button1Click();  // data import from the tester
    void Button2Click();  // remove a record from the list
    void Button3Click();  // return

    QFrame* Panel1 = nullptr;
    QComboBox* UserNameCB = nullptr;
    QLineEdit *Edit25 = nullptr, *Edit20 = nullptr;
    QLineEdit *Edit2 = nullptr, *Edit21 = nullptr, *Edit22 = nullptr;
    QLineEdit *Edit3 = nullptr, *Edit23 = nullptr, *Edit24 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QComboBox* CarNoCB = nullptr;
    QComboBox* NumberCB = nullptr;
    QLineEdit *Edit5 = nullptr, *Edit6 = nullptr, *Edit11 = nullptr, *Edit1 = nullptr, *Edit7 = nullptr,
              *Edit8 = nullptr, *Edit9 = nullptr;
    QLineEdit *Edit10 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr; // hidden: mileage, type, next inspection
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPlainTextEdit* Memo3 = nullptr;
    QPushButton *Button10 = nullptr, *Button7 = nullptr, *Button6 = nullptr, *Button1 = nullptr, *Button2 = nullptr,
                *Button3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void ListVehicles();
    void LoadRecords();
    void LoadMemo(QComboBox* selector, QPlainTextEdit* memo, std::vector<std::string>& lines);
    void SetVehicleButtons(bool enabled);

    int customerIndex_ = -1;
    // The lines each memo shows, as the record file holds them.
    std::vector<std::string> memo2Lines_;
    std::vector<std::string> memo3Lines_;
    std::string currentCustomer_;
    std::string currentVehicle_;
};
