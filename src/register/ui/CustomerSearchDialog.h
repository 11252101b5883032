// The customer search dialog: finds a customer, or a customer's vehicle, by any text stored for it. Callers run
// it modally with Run and on Accepted read ResultLine and ResultVehicle.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CustomerSearchDialog : public vanto::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit CustomerSearchDialog(const vanto::FormContext& context);

    // Shows the dialog modally, searching customers only or customers and their vehicles; returns its result.
    int Run(bool includeVehicles);
    bool IncludesVehicles() const { return includeVehicles_; }

    // The chosen result: the customer's line in the customer list (-1 without a choice) and the vehicle
    // number ("" for a customer result).
    int ResultLine() const;
    std::string ResultVehicle() const;

    void FormShow() override;
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

private:
    void Fill(const std::string& key);

    vanto::FormContext context_;
    bool includeVehicles_ = false;
};
