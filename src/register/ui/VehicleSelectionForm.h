// What the vehicle information form and the vehicle update form share: a customer selector and a vehicle selector
// over the register, the current customer and vehicle, the reload on show after the opening menu prepared the
// form, the search, and the customer and vehicle selector changes. Each form shows the data in its own fields.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "register/Register.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class CustomerSearchDialog;

// The customer and vehicle a form shows, as another form keeps in step with it.
struct VehicleSelectionState {
    int CustomerIndex = -1;
    std::string Customer;
    std::vector<vanto::VehicleEntry> Vehicles; // in folder-time order
    std::string CurrentVehicle;
    int VehicleIndex = -1; // the entry of CurrentVehicle in Vehicles, -1 when none
};

class VehicleSelectionForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    VehicleSelectionForm(const vanto::FormContext& context, CustomerSearchDialog* search);

    // Opening from the monitor data menu: resets the form, loads the customer list (nothing selected), and makes
    // the next show select the first customer with his current vehicle.
    void PrepareFromMenu();
    // Set by PrepareFromMenu; cleared when the form is to keep the customer and vehicle being worked on.
    bool ReloadOnShow = false;

    const std::string& CurrentCustomer() const { return currentCustomer_; }
    const std::string& CurrentVehicle() const { return currentVehicle_; }
    // The current vehicle's folder with its files.
    vanto::VehicleFolder CurrentVehicleFolder() const;
    VehicleSelectionState Selection() const;

    // Clears the vehicle lists and every field the form shows.
    virtual void Reset() = 0;
    void FormShow() override;
    virtual void LoadVehicle() = 0;

protected:
    void LoadCustomer();
    // The handlers of the customer selector, the vehicle selector and the search.
    void CustomerChosen();
    void VehicleChosen();
    void SearchCustomer();

    // The form's own parts of the shared steps.
    virtual void DisableForNoCustomers() = 0;
    virtual void ShowCustomer(const vanto::CustomerProfile& profile) = 0;
    virtual void BeforeCustomerChange() {}
    virtual void AfterCustomerLoaded() {}
    virtual void AfterVehiclesListed() {}

    // Fills the vehicle selector from the register's vehicle list with the current vehicle as its text and, when
    // listed, its entry selected (no entry is selected otherwise).
    void ListVehicles();
    // True when the number is one of the listed vehicles.
    bool IsListed(const std::string& number) const;
    vanto::Register Reg() const;

    QComboBox* customerCombo_ = nullptr;
    QComboBox* vehicleCombo_ = nullptr;
    vanto::FormContext context_;
    CustomerSearchDialog* search_;
    int customerIndex_ = -1;
    std::string currentCustomer_;
    std::string currentVehicle_;
    std::vector<vanto::VehicleEntry> vehicles_;
};
