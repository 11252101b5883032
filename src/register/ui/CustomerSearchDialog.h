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

private:
    void Search();
    void ChooseResult();
    void Fill(const std::string& key);

    QLabel* keyLabel_ = nullptr;
    QLineEdit* keyEdit_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QListWidget* resultList_ = nullptr;
    QListWidget* resultLineList_ = nullptr;    // hidden: customer line numbers
    QListWidget* resultVehicleList_ = nullptr; // hidden: vehicle numbers
    QPushButton* chooseButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    vanto::FormContext context_;
    bool includeVehicles_ = false;
};
