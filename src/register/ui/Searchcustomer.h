// The customer search dialog: finds a customer, or a customer's vehicle, by any text stored for it. Callers
// set IncludeVehicles, run it modally (exec) and on Accepted read ResultLine and ResultVehicle.
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TSearchCustomerForm : public QDialog {
    Q_OBJECT
public:
    TSearchCustomerForm();
    ~TSearchCustomerForm() override;

    // Set by the caller before every opening: vehicles are searched and listed too.
    bool IncludeVehicles = false;

    // The chosen result: the customer's line in the customer list (-1 without a choice) and the vehicle
    // number ("" for a customer result).
    int ResultLine() const;
    std::string ResultVehicle() const;

    void FormShow();
    void Button1Click(); // search
    void Button2Click(); // choose

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr; // hidden: customer line numbers
    QListWidget* ListBox3 = nullptr; // hidden: vehicle numbers
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Fill(const std::string& key);
};
