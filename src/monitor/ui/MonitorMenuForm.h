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
    void Button1Click(); // customer entry
    void Button2Click(); // vehicle entry
    void Button3Click(); // vehicle information: data import and printing
    void modoru_BTNClick();

    QFrame* Panel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr; // "データ取込・印刷": the vehicle information form
    QPushButton* modoru_BTN = nullptr;

private:
    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    CustomerForm* customer_ = nullptr;
    VehicleUpdateForm* vehicle_ = nullptr;
    VehicleInfoForm* vehicleInfo_ = nullptr;
};
