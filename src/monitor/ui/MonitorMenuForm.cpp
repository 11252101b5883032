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
QPushButton* MenuButton(QWidget* parent, const char* name, const char* caption) {
    QPushButton* button = MakeButton(parent, name, caption, 24);
    button->setFixedSize(400, 52);
    return button;
}
} // namespace

MonitorMenuForm::MonitorMenuForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("TourokuForm");
    setFont(FixedFont(13));

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Button1 = MenuButton(Panel1, "Button1", "お客様情報登録");
    Button2 = MenuButton(Panel1, "Button2", "車 両 情 報 登録");
    Button3 = MenuButton(Panel1, "Button3", "データ取込・印刷");
    modoru_BTN = MenuButton(Panel1, "modoru_BTN", "戻　る");

    auto* buttons = new QVBoxLayout(Panel1);
    buttons->setContentsMargins(16, 16, 16, 16);
    buttons->setSpacing(12);
    for (QPushButton* b : {Button1, Button2, Button3, modoru_BTN}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Panel1->setMinimumHeight(250 - 20);

    connect(Button1, &QPushButton::clicked, this, &MonitorMenuForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &MonitorMenuForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &MonitorMenuForm::Button3Click);
    connect(modoru_BTN, &QPushButton::clicked, this, &MonitorMenuForm::modoru_BTNClick);
}

void MonitorMenuForm::Connect(QWidget* mainMenu, CustomerForm* customer, VehicleUpdateForm* vehicle,
                              VehicleInfoForm* vehicleInfo) {
    mainMenu_ = mainMenu;
    customer_ = customer;
    vehicle_ = vehicle;
    vehicleInfo_ = vehicleInfo;
    Button1->setEnabled(customer_ != nullptr);
    Button2->setEnabled(vehicle_ != nullptr);
    Button3->setEnabled(vehicleInfo_ != nullptr);
}

void MonitorMenuForm::FormShow() {
    setEnabled(true);
    setWindowTitle(Q(context_.TesterName() + "よりモニタデータ読み込み"));
    adjustSize();
    CenterOnScreen(this);
}

void MonitorMenuForm::Button1Click() {
    if (!customer_) {
        return;
    }
    hide();
    customer_->ShowFromMenu();
}

void MonitorMenuForm::Button2Click() {
    if (!vehicle_) {
        return;
    }
    hide();
    vehicle_->ShowFromMenu();
}

// The vehicle information form keeps the vehicle update form in step, so that one is prepared too.
void MonitorMenuForm::Button3Click() {
    if (!vehicleInfo_) {
        return;
    }
    hide();
    if (vehicle_) {
        vehicle_->PrepareFromMenu();
    }
    vehicleInfo_->ShowFromMenu();
}

void MonitorMenuForm::modoru_BTNClick() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
