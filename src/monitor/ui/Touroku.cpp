#include "monitor/ui/Touroku.h"

#include "common/ui/FormHelpers.h"
#include "register/ui/Carinfo.h"
#include "register/ui/Carinfoupdate.h"
#include "register/ui/Customer.h"
#include "register/ui/RegisterUi.h"

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

TTourokuForm::TTourokuForm(const FormContext& context)
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

    connect(Button1, &QPushButton::clicked, this, &TTourokuForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TTourokuForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TTourokuForm::Button3Click);
    connect(modoru_BTN, &QPushButton::clicked, this, &TTourokuForm::modoru_BTNClick);
}

void TTourokuForm::Connect(QWidget* mainMenu, TCustomerForm* customer, TCarInfoUpdateForm* vehicle,
                           TCarInfoForm* carInfo) {
    mainMenu_ = mainMenu;
    customer_ = customer;
    vehicle_ = vehicle;
    carInfo_ = carInfo;
    Button1->setEnabled(customer_ != nullptr);
    Button2->setEnabled(vehicle_ != nullptr);
    Button3->setEnabled(carInfo_ != nullptr);
}

void TTourokuForm::FormShow() {
    setEnabled(true);
    setWindowTitle(Q(context_.TesterName() + "よりモニタデータ読み込み"));
    adjustSize();
    CenterOnScreen(this);
}

void TTourokuForm::Button1Click() {
    if (!customer_) {
        return;
    }
    hide();
    customer_->ShowFromMenu();
}

void TTourokuForm::Button2Click() {
    if (!vehicle_) {
        return;
    }
    hide();
    vehicle_->ShowFromMenu();
}

// The vehicle information form keeps the vehicle update form in step, so that one is prepared too.
void TTourokuForm::Button3Click() {
    if (!carInfo_) {
        return;
    }
    hide();
    if (vehicle_) {
        vehicle_->PrepareFromMenu();
    }
    carInfo_->ShowFromMenu();
}

void TTourokuForm::modoru_BTNClick() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
