// The print setup form's widgets: customer, vehicle and workshop on the left, the sheet's settings with the four
// item slots and the judgement on the right, the print buttons below.
#include "print/ui/PrintSetupForm.h"

#include "common/ui/FormHelpers.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

namespace {

QLineEdit* Field(QWidget* parent, const char* name, const char* label, int maxCharacters = 0, bool digits = false) {
    auto* edit = new QLineEdit(parent);
    SetupEdit(edit, name, QString::fromUtf8(label), maxCharacters, digits);
    return edit;
}

// Shown as it will print; the stored value is not edited here.
QLineEdit* Shown(QWidget* parent, const char* name, const char* label, bool digits = false) {
    QLineEdit* edit = MakeDisplayField(parent, name, QString::fromUtf8(label));
    if (digits) {
        LimitTyping(edit, 0, TypedCharacters::Digits);
    }
    return edit;
}

QLineEdit* Part(QLineEdit* edit, int width) {
    edit->setFixedWidth(width);
    return edit;
}

void AddRow(QGridLayout* grid, int row, const char* label, QWidget* parent, QLayout* fields) {
    grid->addWidget(MakeLabel(parent, label), row, 0);
    grid->addLayout(fields, row, 1);
}

void AddRow(QGridLayout* grid, int row, const char* label, QWidget* parent, QWidget* field) {
    grid->addWidget(MakeLabel(parent, label), row, 0);
    grid->addWidget(field, row, 1);
}

} // namespace

void PrintSetupForm::BuildLayout() {
    auto* panel = new QFrame(this);
    panel->setObjectName("panel");

    auto* customer = new QGroupBox("お客様情報", panel);
    customer->setObjectName("customerBox");
    customerNameEdit_ = Shown(customer, "customerNameEdit", "お客様名");
    postCode1Edit_ = Part(Shown(customer, "postCode1Edit", "郵便番号1", true), 60);
    postCode2Edit_ = Part(Shown(customer, "postCode2Edit", "郵便番号2", true), 70);
    addressEdit_ = Shown(customer, "addressEdit", "住所");
    phone1Edit_ = Part(Shown(customer, "phone1Edit", "電話番号1", true), 80);
    phone2Edit_ = Part(Shown(customer, "phone2Edit", "電話番号2", true), 80);
    phone3Edit_ = Part(Shown(customer, "phone3Edit", "電話番号3", true), 80);
    mobile1Edit_ = Part(Shown(customer, "mobile1Edit", "携帯電話1", true), 80);
    mobile2Edit_ = Part(Shown(customer, "mobile2Edit", "携帯電話2", true), 80);
    mobile3Edit_ = Part(Shown(customer, "mobile3Edit", "携帯電話3", true), 80);
    auto* customerGrid = new QGridLayout(customer);
    AddRow(customerGrid, 0, "お客様名", customer, customerNameEdit_);
    AddRow(customerGrid, 1, "郵便番号", customer, DashRow({postCode1Edit_, postCode2Edit_}));
    AddRow(customerGrid, 2, "住所", customer, addressEdit_);
    AddRow(customerGrid, 3, "電話番号", customer, DashRow({phone1Edit_, phone2Edit_, phone3Edit_}));
    AddRow(customerGrid, 4, "携帯電話", customer, DashRow({mobile1Edit_, mobile2Edit_, mobile3Edit_}));

    auto* vehicle = new QGroupBox("お客様車両情報", panel);
    vehicle->setObjectName("vehicleBox");
    vehicleNumberEdit_ = Shown(vehicle, "vehicleNumberEdit", "車両番号");
    bodyNumberEdit_ = Shown(vehicle, "bodyNumberEdit", "車体番号");
    firstRegistrationEdit_ = Shown(vehicle, "firstRegistrationEdit", "初年度登録年月");
    mileageEdit_ = Field(vehicle, "mileageEdit", "走行距離", 16);
    nextInspectionEdit_ = Field(vehicle, "nextInspectionEdit", "次回車検日", 20);
    carNameEdit_ = Shown(vehicle, "carNameEdit", "車種名");
    typeEdit_ = Shown(vehicle, "typeEdit", "型式");
    engineTypeEdit_ = Shown(vehicle, "engineTypeEdit", "エンジン形式");
    auto* vehicleGrid = new QGridLayout(vehicle);
    const std::pair<const char*, QLineEdit*> vehicleRows[] = {{"車両番号", vehicleNumberEdit_},
                                                              {"初年度登録年月", firstRegistrationEdit_},
                                                              {"走行距離", mileageEdit_},
                                                              {"次回車検日", nextInspectionEdit_},
                                                              {"車種名", carNameEdit_},
                                                              {"車体番号", bodyNumberEdit_},
                                                              {"型式", typeEdit_},
                                                              {"エンジン形式", engineTypeEdit_}};
    for (int i = 0; i < 8; ++i) {
        const auto& [label, edit] = vehicleRows[i];
        edit->setMinimumWidth(150);
        vehicleGrid->addWidget(MakeLabel(vehicle, label), i / 2, (i % 2) * 2);
        vehicleGrid->addWidget(edit, i / 2, (i % 2) * 2 + 1);
    }

    auto* shop = new QGroupBox("お店の情報", panel);
    shop->setObjectName("workshopBox");
    workshopNameEdit_ = Field(shop, "workshopNameEdit", "店名", 32);
    workshopPostCode1Edit_ = Part(Field(shop, "workshopPostCode1Edit", "郵便番号1", 0, true), 60);
    workshopPostCode2Edit_ = Part(Field(shop, "workshopPostCode2Edit", "郵便番号2", 0, true), 70);
    workshopAddressEdit_ = Field(shop, "workshopAddressEdit", "住所", 74);
    workshopPhone1Edit_ = Part(Field(shop, "workshopPhone1Edit", "電話番号1", 18, true), 80);
    workshopPhone2Edit_ = Part(Field(shop, "workshopPhone2Edit", "電話番号2", 18, true), 80);
    workshopPhone3Edit_ = Part(Field(shop, "workshopPhone3Edit", "電話番号3", 18, true), 80);
    workshopFax1Edit_ = Part(Field(shop, "workshopFax1Edit", "FAX番号1", 18, true), 80);
    workshopFax2Edit_ = Part(Field(shop, "workshopFax2Edit", "FAX番号2", 18, true), 80);
    workshopFax3Edit_ = Part(Field(shop, "workshopFax3Edit", "FAX番号3", 18, true), 80);
    // The sheet's two message lines come from the workshop's details; they are not edited here.
    message1Edit_ = Field(shop, "message1Edit", "メッセージ1", 46);
    message2Edit_ = Field(shop, "message2Edit", "メッセージ2", 46);
    message1PhraseButton_ = MakeButton(shop, "message1PhraseButton", "登録文章呼出し", 13);
    message2PhraseButton_ = MakeButton(shop, "message2PhraseButton", "登録文章呼出し", 13);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{message1Edit_, message2Edit_, message1PhraseButton_, message2PhraseButton_}) {
        hidden->hide();
    }
    auto* shopGrid = new QGridLayout(shop);
    AddRow(shopGrid, 0, "店名", shop, workshopNameEdit_);
    AddRow(shopGrid, 1, "郵便番号", shop, DashRow({workshopPostCode1Edit_, workshopPostCode2Edit_}));
    AddRow(shopGrid, 2, "住所", shop, workshopAddressEdit_);
    AddRow(shopGrid, 3, "電話番号", shop, DashRow({workshopPhone1Edit_, workshopPhone2Edit_, workshopPhone3Edit_}));
    AddRow(shopGrid, 4, "FAX番号", shop, DashRow({workshopFax1Edit_, workshopFax2Edit_, workshopFax3Edit_}));

    auto* settings = new QGroupBox("点検・診断・結果の印刷設定", panel);
    settings->setObjectName("printSettingsBox");
    titleEdit_ = Field(settings, "titleEdit", "印刷タイトル");
    resetTitleButton_ = MakeButton(settings, "resetTitleButton", "リ セ ッ ト", 13);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(MakeLabel(settings, "印刷タイトル"));
    titleRow->addWidget(titleEdit_, 1);
    titleRow->addWidget(resetTitleButton_);

    auto* items = new QGroupBox("故障コード、データ表示、アクティブテスト印刷設定", settings);
    items->setObjectName("slotsBox");
    auto* itemGrid = new QGridLayout(items);
    static const char* const combos[] = {"slot1Combo", "slot2Combo", "slot3Combo", "slot4Combo"};
    static const char* const buttons[] = {"slot1Button", "slot2Button", "slot3Button", "slot4Button"};
    static const char* const labels[] = {"slot1Label", "slot2Label", "slot3Label", "slot4Label"};
    static const char* const places[] = {"印刷項目１（左上）", "印刷項目２（右上）", "印刷項目３（左下）",
                                         "印刷項目４（右下）"};
    for (int k = 0; k < PrintSlotCount; ++k) {
        auto* box = new QFrame(items);
        box->setFrameShape(QFrame::StyledPanel);
        auto* combo = new QComboBox(box);
        SetupCombo(combo, combos[k], QString::fromUtf8(places[k]), false);
        combo->setMinimumWidth(320);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        QPushButton* button = MakeButton(box, buttons[k], "印刷項目設定", 13);
        auto* label = new QLabel(box);
        label->setObjectName(labels[k]);
        auto* slot = new QGridLayout(box);
        slot->addWidget(MakeLabel(box, places[k]), 0, 0, 1, 2);
        slot->addWidget(combo, 1, 0, 1, 2);
        slot->addWidget(label, 2, 0);
        slot->addWidget(button, 2, 1);
        itemGrid->addWidget(box, k / 2, k % 2);
        slotCombos_[static_cast<std::size_t>(k)] = combo;
        slotButtons_[static_cast<std::size_t>(k)] = button;
        slotLabels_[static_cast<std::size_t>(k)] = label;
        connect(combo, &QComboBox::activated, this, [this, k] { SlotChosen(k); });
        connect(button, &QPushButton::clicked, this, [this, k] { ChooseSlotItems(k); });
    }

    judgementMemo_ = new QPlainTextEdit(settings);
    judgementMemo_->setObjectName("judgementMemo");
    judgementMemo_->setAccessibleName("総　合　判　定");
    judgementMemo_->setMinimumHeight(130);
    judgementPhraseButton_ = MakeButton(settings, "judgementPhraseButton", "登録文章呼出し", 13);
    auto* judgementHead = new QHBoxLayout;
    judgementHead->addWidget(MakeLabel(settings, "総　合　判　定"));
    judgementHead->addStretch();
    judgementHead->addWidget(judgementPhraseButton_);

    auto* settingsLayout = new QVBoxLayout(settings);
    settingsLayout->addLayout(titleRow);
    settingsLayout->addWidget(items);
    settingsLayout->addLayout(judgementHead);
    settingsLayout->addWidget(judgementMemo_, 1);

    printButton_ = MakeButton(panel, "printButton", "印刷実行");
    previewButton_ = MakeButton(panel, "previewButton", "印刷プレビュー");
    closeButton_ = MakeButton(panel, "closeButton", "閉じる");
    dataPrintButton_ = MakeButton(panel, "dataPrintButton", "データ印刷");
    dataPrintCombo_ = new QComboBox(panel);
    SetupCombo(dataPrintCombo_, "dataPrintCombo", "読込ﾃﾞｰﾀ印刷", false);
    QLabel* dataLabel = MakeLabel(panel, "読込ﾃﾞｰﾀ印刷");
    for (QPushButton* button : {printButton_, previewButton_, closeButton_}) {
        button->setMinimumWidth(140);
    }
    // The data print is kept but not offered on the form.
    for (QWidget* hidden : std::initializer_list<QWidget*>{dataPrintButton_, dataPrintCombo_, dataLabel}) {
        hidden->hide();
    }
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(dataLabel);
    bottom->addWidget(dataPrintCombo_);
    bottom->addWidget(dataPrintButton_);
    bottom->addStretch();
    bottom->addWidget(printButton_);
    bottom->addWidget(previewButton_);
    bottom->addWidget(closeButton_);

    auto* left = new QVBoxLayout;
    left->addWidget(customer);
    left->addWidget(vehicle);
    left->addWidget(shop);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(settings, 1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(top);
    panelLayout->addLayout(bottom);
    // The panel always fills the form.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);

    connect(printButton_, &QPushButton::clicked, this, &PrintSetupForm::PrintSheet);
    connect(previewButton_, &QPushButton::clicked, this, &PrintSetupForm::PreviewSheet);
    connect(closeButton_, &QPushButton::clicked, this, &PrintSetupForm::CloseForm);
    connect(dataPrintButton_, &QPushButton::clicked, this, &PrintSetupForm::PrintData);
    connect(resetTitleButton_, &QPushButton::clicked, this, &PrintSetupForm::ResetTitle);
    connect(judgementPhraseButton_, &QPushButton::clicked, this, &PrintSetupForm::ChooseJudgementPhrase);
    connect(message1PhraseButton_, &QPushButton::clicked, this, [this] { ChooseMessagePhrase(message1Edit_); });
    connect(message2PhraseButton_, &QPushButton::clicked, this, [this] { ChooseMessagePhrase(message2Edit_); });
    for (QPushButton* phrase : {message1PhraseButton_, message2PhraseButton_, judgementPhraseButton_}) {
        phrase->setEnabled(false);
    }
}
