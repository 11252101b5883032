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
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");

    auto* customer = new QGroupBox("お客様情報", Panel1);
    customer->setObjectName("GroupBox1");
    Edit3 = Shown(customer, "Edit3", "お客様名");
    Edit20 = Part(Shown(customer, "Edit20", "郵便番号1", true), 60);
    Edit21 = Part(Shown(customer, "Edit21", "郵便番号2", true), 70);
    Edit2 = Shown(customer, "Edit2", "住所");
    Edit4 = Part(Shown(customer, "Edit4", "電話番号1", true), 80);
    Edit22 = Part(Shown(customer, "Edit22", "電話番号2", true), 80);
    Edit23 = Part(Shown(customer, "Edit23", "電話番号3", true), 80);
    Edit5 = Part(Shown(customer, "Edit5", "携帯電話1", true), 80);
    Edit24 = Part(Shown(customer, "Edit24", "携帯電話2", true), 80);
    Edit25 = Part(Shown(customer, "Edit25", "携帯電話3", true), 80);
    auto* customerGrid = new QGridLayout(customer);
    AddRow(customerGrid, 0, "お客様名", customer, Edit3);
    AddRow(customerGrid, 1, "郵便番号", customer, DashRow({Edit20, Edit21}));
    AddRow(customerGrid, 2, "住所", customer, Edit2);
    AddRow(customerGrid, 3, "電話番号", customer, DashRow({Edit4, Edit22, Edit23}));
    AddRow(customerGrid, 4, "携帯電話", customer, DashRow({Edit5, Edit24, Edit25}));

    auto* vehicle = new QGroupBox("お客様車両情報", Panel1);
    vehicle->setObjectName("GroupBox2");
    Edit6 = Shown(vehicle, "Edit6", "車両番号");
    Edit7 = Shown(vehicle, "Edit7", "車体番号");
    Edit8 = Shown(vehicle, "Edit8", "初年度登録年月");
    Edit9 = Field(vehicle, "Edit9", "走行距離", 16);
    Edit10 = Field(vehicle, "Edit10", "次回車検日", 20);
    Edit11 = Shown(vehicle, "Edit11", "車種名");
    Edit12 = Shown(vehicle, "Edit12", "型式");
    Edit13 = Shown(vehicle, "Edit13", "エンジン形式");
    auto* vehicleGrid = new QGridLayout(vehicle);
    const std::pair<const char*, QLineEdit*> vehicleRows[] = {
        {"車両番号", Edit6}, {"初年度登録年月", Edit8}, {"走行距離", Edit9}, {"次回車検日", Edit10},
        {"車種名", Edit11},  {"車体番号", Edit7},       {"型式", Edit12},    {"エンジン形式", Edit13}};
    for (int i = 0; i < 8; ++i) {
        const auto& [label, edit] = vehicleRows[i];
        edit->setMinimumWidth(150);
        vehicleGrid->addWidget(MakeLabel(vehicle, label), i / 2, (i % 2) * 2);
        vehicleGrid->addWidget(edit, i / 2, (i % 2) * 2 + 1);
    }

    auto* shop = new QGroupBox("お店の情報", Panel1);
    shop->setObjectName("GroupBox3");
    Edit14 = Field(shop, "Edit14", "店名", 32);
    Edit26 = Part(Field(shop, "Edit26", "郵便番号1", 0, true), 60);
    Edit27 = Part(Field(shop, "Edit27", "郵便番号2", 0, true), 70);
    Edit17 = Field(shop, "Edit17", "住所", 74);
    Edit15 = Part(Field(shop, "Edit15", "電話番号1", 18, true), 80);
    Edit28 = Part(Field(shop, "Edit28", "電話番号2", 18, true), 80);
    Edit29 = Part(Field(shop, "Edit29", "電話番号3", 18, true), 80);
    Edit16 = Part(Field(shop, "Edit16", "FAX番号1", 18, true), 80);
    Edit30 = Part(Field(shop, "Edit30", "FAX番号2", 18, true), 80);
    Edit31 = Part(Field(shop, "Edit31", "FAX番号3", 18, true), 80);
    // The sheet's two message lines come from the workshop's details; they are not edited here.
    Edit18 = Field(shop, "Edit18", "メッセージ1", 46);
    Edit19 = Field(shop, "Edit19", "メッセージ2", 46);
    Button1 = MakeButton(shop, "Button1", "登録文章呼出し", 13);
    Button2 = MakeButton(shop, "Button2", "登録文章呼出し", 13);
    for (QWidget* hidden : std::initializer_list<QWidget*>{Edit18, Edit19, Button1, Button2}) {
        hidden->hide();
    }
    auto* shopGrid = new QGridLayout(shop);
    AddRow(shopGrid, 0, "店名", shop, Edit14);
    AddRow(shopGrid, 1, "郵便番号", shop, DashRow({Edit26, Edit27}));
    AddRow(shopGrid, 2, "住所", shop, Edit17);
    AddRow(shopGrid, 3, "電話番号", shop, DashRow({Edit15, Edit28, Edit29}));
    AddRow(shopGrid, 4, "FAX番号", shop, DashRow({Edit16, Edit30, Edit31}));

    auto* settings = new QGroupBox("点検・診断・結果の印刷設定", Panel1);
    settings->setObjectName("GroupBox4");
    Edit1 = Field(settings, "Edit1", "印刷タイトル");
    Button8 = MakeButton(settings, "Button8", "リ セ ッ ト", 13);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(MakeLabel(settings, "印刷タイトル"));
    titleRow->addWidget(Edit1, 1);
    titleRow->addWidget(Button8);

    auto* items = new QGroupBox("故障コード、データ表示、アクティブテスト印刷設定", settings);
    items->setObjectName("GroupBox5");
    auto* itemGrid = new QGridLayout(items);
    static const char* const choosers[] = {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"};
    static const char* const buttons[] = {"Button3", "Button4", "Button5", "Button6"};
    static const char* const labels[] = {"Label21", "Label22", "Label23", "Label24"};
    static const char* const places[] = {"印刷項目１（左上）", "印刷項目２（右上）", "印刷項目３（左下）",
                                         "印刷項目４（右下）"};
    for (int k = 0; k < PrintSlotCount; ++k) {
        auto* box = new QFrame(items);
        box->setFrameShape(QFrame::StyledPanel);
        auto* combo = new QComboBox(box);
        SetupCombo(combo, choosers[k], QString::fromUtf8(places[k]), false);
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
        SlotChoosers[static_cast<std::size_t>(k)] = combo;
        SlotButtons[static_cast<std::size_t>(k)] = button;
        SlotLabels[static_cast<std::size_t>(k)] = label;
        connect(combo, &QComboBox::activated, this, [this, k] { SlotChooserChange(k); });
        connect(button, &QPushButton::clicked, this, [this, k] { SlotButtonClick(k); });
    }

    Memo1 = new QPlainTextEdit(settings);
    Memo1->setObjectName("Memo1");
    Memo1->setAccessibleName("総　合　判　定");
    Memo1->setMinimumHeight(130);
    Button7 = MakeButton(settings, "Button7", "登録文章呼出し", 13);
    auto* judgementHead = new QHBoxLayout;
    judgementHead->addWidget(MakeLabel(settings, "総　合　判　定"));
    judgementHead->addStretch();
    judgementHead->addWidget(Button7);

    auto* settingsLayout = new QVBoxLayout(settings);
    settingsLayout->addLayout(titleRow);
    settingsLayout->addWidget(items);
    settingsLayout->addLayout(judgementHead);
    settingsLayout->addWidget(Memo1, 1);

    print_start = MakeButton(Panel1, "print_start", "印刷実行");
    preview_btn = MakeButton(Panel1, "preview_btn", "印刷プレビュー");
    close_btn = MakeButton(Panel1, "close_btn", "閉じる");
    data_print_btn = MakeButton(Panel1, "data_print_btn", "データ印刷");
    ComboBox5 = new QComboBox(Panel1);
    SetupCombo(ComboBox5, "ComboBox5", "読込ﾃﾞｰﾀ印刷", false);
    QLabel* dataLabel = MakeLabel(Panel1, "読込ﾃﾞｰﾀ印刷");
    for (QPushButton* button : {print_start, preview_btn, close_btn}) {
        button->setMinimumWidth(140);
    }
    // The data print is kept but not offered on the form.
    for (QWidget* hidden : std::initializer_list<QWidget*>{data_print_btn, ComboBox5, dataLabel}) {
        hidden->hide();
    }
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(dataLabel);
    bottom->addWidget(ComboBox5);
    bottom->addWidget(data_print_btn);
    bottom->addStretch();
    bottom->addWidget(print_start);
    bottom->addWidget(preview_btn);
    bottom->addWidget(close_btn);

    auto* left = new QVBoxLayout;
    left->addWidget(customer);
    left->addWidget(vehicle);
    left->addWidget(shop);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(settings, 1);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->addLayout(top);
    panelLayout->addLayout(bottom);
    // The panel always fills the form.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Panel1);

    connect(print_start, &QPushButton::clicked, this, &PrintSetupForm::print_startClick);
    connect(preview_btn, &QPushButton::clicked, this, &PrintSetupForm::preview_btnClick);
    connect(close_btn, &QPushButton::clicked, this, &PrintSetupForm::close_btnClick);
    connect(data_print_btn, &QPushButton::clicked, this, &PrintSetupForm::data_print_btnClick);
    connect(Button8, &QPushButton::clicked, this, &PrintSetupForm::Button8Click);
    connect(Button7, &QPushButton::clicked, this, &PrintSetupForm::Button7Click);
    connect(Button1, &QPushButton::clicked, this, [this] { MessagePhraseClick(Edit18); });
    connect(Button2, &QPushButton::clicked, this, [this] { MessagePhraseClick(Edit19); });
    for (QPushButton* phrase : {Button1, Button2, Button7}) {
        phrase->setEnabled(false);
    }
}
