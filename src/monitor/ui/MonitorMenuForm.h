// The monitor data menu: leads to customer entry, vehicle entry and the vehicle information form, each of which
// it opens with the customer list loaded afresh.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QWidget>

class QFrame;
class QPushButton;
class VehicleInfoForm;
class VehicleUpdateForm;
class CustomerForm;

class MonitorMenuForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit MonitorMenuForm(const vanto::FormContext& context);

    // The forms it leads to and the main menu it returns to.
    void Connect(QWidget* mainMenu, CustomerForm* customer, VehicleUpdateForm* vehicle, VehicleInfoForm* vehicleInfo);

    void FormShow() override;

private:
    void OpenCustomerEntry();
    void OpenVehicleEntry();
    void OpenVehicleInfo(); // data import and printing
    void ReturnToMainMenu();

    QFrame* menuPanel_ = nullptr;
    QPushButton* customerButton_ = nullptr;
    QPushButton* vehicleButton_ = nullptr;
    QPushButton* vehicleInfoButton_ = nullptr; // "データ取込・印刷": the vehicle information form
    QPushButton* backButton_ = nullptr;
    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    CustomerForm* customer_ = nullptr;
    VehicleUpdateForm* vehicle_ = nullptr;
    VehicleInfoForm* vehicleInfo_ = nullptr;
};
