#include "register/ui/VehicleSelectionForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "register/CustomerSave.h"
#include "register/ui/CustomerSearchDialog.h"
#include "register/ui/RegisterUi.h"

#include <QComboBox>

#include <algorithm>

using namespace vanto;

VehicleSelectionForm::VehicleSelectionForm(const FormContext& context, CustomerSearchDialog* search)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context),
      search_(search) {}

Register VehicleSelectionForm::Reg() const {
    return RegisterOf(context_);
}

VehicleFolder VehicleSelectionForm::CurrentVehicleFolder() const {
    return Reg().Vehicle(currentCustomer_, currentVehicle_);
}

VehicleSelectionState VehicleSelectionForm::Selection() const {
    const auto listed = std::find_if(vehicles_.begin(), vehicles_.end(),
                                     [&](const VehicleEntry& v) { return v.Number == currentVehicle_; });
    return {customerCombo_->currentIndex(), currentCustomer_, vehicles_, currentVehicle_,
            listed == vehicles_.end() ? -1 : static_cast<int>(listed - vehicles_.begin())};
}

void VehicleSelectionForm::PrepareFromMenu() {
    Reset();
    LoadCustomerSelector(customerCombo_, Reg());
    ReloadOnShow = true;
}

void VehicleSelectionForm::FormShow() {
    customerIndex_ = -1;
    if (ReloadOnShow) {
        if (customerCombo_->count() == 0) {
            ShowNoCustomersEntry(customerCombo_);
            DisableForNoCustomers();
        } else {
            customerIndex_ = customerCombo_->currentIndex();
            if (customerCombo_->currentIndex() < 0) {
                customerCombo_->setCurrentIndex(0);
                currentCustomer_ = S(customerCombo_->currentText());
                LoadCustomer();
            }
        }
    }
    adjustSize();
    CenterOnScreen(this);
}

void VehicleSelectionForm::LoadCustomer() {
    if (!HasCustomers(customerCombo_)) {
        context_.Dialogs().Show(DialogIcon::Information, NoCustomersMessage);
        return;
    }
    const CustomerProfile profile = Reg().ReadCustomer(currentCustomer_);
    ShowCustomer(profile);
    currentVehicle_ = profile.CarNo;
    ListVehicles();
    LoadVehicle();
    AfterCustomerLoaded();
}

void VehicleSelectionForm::ListVehicles() {
    vehicles_ = Reg().ListVehicles(currentCustomer_);
    const QSignalBlocker block(vehicleCombo_);
    vehicleCombo_->clear();
    for (const VehicleEntry& vehicle : vehicles_) {
        vehicleCombo_->addItem(Q(vehicle.Number));
    }
    // Qt selects the first entry by itself when items go into an empty list: a current vehicle that is not
    // listed must leave nothing selected.
    vehicleCombo_->setCurrentIndex(-1);
    vehicleCombo_->setEditText(Q(currentVehicle_));
    SelectMatchingItem(vehicleCombo_);
    AfterVehiclesListed();
}

bool VehicleSelectionForm::IsListed(const std::string& number) const {
    return std::any_of(vehicles_.begin(), vehicles_.end(), [&](const VehicleEntry& v) { return v.Number == number; });
}

void VehicleSelectionForm::CustomerChosen() {
    Reset();
    currentCustomer_ = S(customerCombo_->currentText());
    BeforeCustomerChange();
    LoadCustomer();
}

void VehicleSelectionForm::VehicleChosen() {
    const std::string text = S(vehicleCombo_->currentText());
    if (!Reg().VehicleExists(currentCustomer_, text)) {
        vehicleCombo_->setEditText(Q(currentVehicle_));
        return;
    }
    currentVehicle_ = text;
    LoadVehicle();
}

void VehicleSelectionForm::SearchCustomer() {
    if (!search_) {
        return;
    }
    if (search_->Run(true) != QDialog::Accepted) {
        return;
    }
    const int line = search_->ResultLine();
    if (line < 0 || line >= customerCombo_->count() || !HasCustomers(customerCombo_)) {
        return;
    }
    customerCombo_->setCurrentIndex(line);
    CustomerChosen();
    vehicleCombo_->setEditText(Q(search_->ResultVehicle()));
    VehicleChosen();
}
