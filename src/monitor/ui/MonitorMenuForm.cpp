#include "monitor/ui/MonitorMenuForm.h"

#include "common/ui/FormHelpers.h"
#include "register/ui/CustomerForm.h"
#include "register/ui/RegisterUi.h"
#include "register/ui/VehicleInfoForm.h"
#include "register/ui/VehicleUpdateForm.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

namespace {
QPushButton* MenuButton(QWidget* parent, const char* objectName, const char* caption) {
    QPushButton* button = MakeButton(parent, objectName, caption, 24);
    button->setFixedSize(400, 52);
    return button;
}
} // namespace

MonitorMenuForm::MonitorMenuForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("MonitorMenuForm");
    setFont(FixedFont(13));

    menuPanel_ = new QFrame(this);
    menuPanel_->setObjectName("menuPanel");
    menuPanel_->setFrameShape(QFrame::Panel);
    menuPanel_->setFrameShadow(QFrame::Raised);
    customerButton_ = MenuButton(menuPanel_, "customerButton", "お客様情報登録");
    vehicleButton_ = MenuButton(menuPanel_, "vehicleButton", "車 両 情 報 登録");
    vehicleInfoButton_ = MenuButton(menuPanel_, "vehicleInfoButton", "データ取込・印刷");
    backButton_ = MenuButton(menuPanel_, "backButton", "戻　る");

    auto* buttons = new QVBoxLayout(menuPanel_);
    buttons->setContentsMargins(16, 16, 16, 16);
    buttons->setSpacing(12);
    for (QPushButton* b : {customerButton_, vehicleButton_, vehicleInfoButton_, backButton_}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(menuPanel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menuPanel_->setMinimumHeight(250 - 20);

    connect(customerButton_, &QPushButton::clicked, this, &MonitorMenuForm::OpenCustomerEntry);
    connect(vehicleButton_, &QPushButton::clicked, this, &MonitorMenuForm::OpenVehicleEntry);
    connect(vehicleInfoButton_, &QPushButton::clicked, this, &MonitorMenuForm::OpenVehicleInfo);
    connect(backButton_, &QPushButton::clicked, this, &MonitorMenuForm::ReturnToMainMenu);
}

void MonitorMenuForm::Connect(QWidget* mainMenu, CustomerForm* customer, VehicleUpdateForm* vehicle,
                              VehicleInfoForm* vehicleInfo) {
    mainMenu_ = mainMenu;
    customer_ = customer;
    vehicle_ = vehicle;
    vehicleInfo_ = vehicleInfo;
    customerButton_->setEnabled(customer_ != nullptr);
    vehicleButton_->setEnabled(vehicle_ != nullptr);
    vehicleInfoButton_->setEnabled(vehicleInfo_ != nullptr);
}

void MonitorMenuForm::FormShow() {
    setEnabled(true);
    setWindowTitle(Q(context_.TesterName() + "よりモニタデータ読み込み"));
    adjustSize();
    CenterOnScreen(this);
}

void MonitorMenuForm::OpenCustomerEntry() {
    if (!customer_) {
        return;
    }
    hide();
    customer_->ShowFromMenu();
}

void MonitorMenuForm::OpenVehicleEntry() {
    if (!vehicle_) {
        return;
    }
    hide();
    vehicle_->ShowFromMenu();
}

// The vehicle information form keeps the vehicle update form in step, so that one is prepared too.
void MonitorMenuForm::OpenVehicleInfo() {
    if (!vehicleInfo_) {
        return;
    }
    hide();
    if (vehicle_) {
        vehicle_->PrepareFromMenu();
    }
    vehicleInfo_->ShowFromMenu();
}

void MonitorMenuForm::ReturnToMainMenu() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
