#include "register/ui/VehicleInfoForm.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "common/ui/FormHelpers.h"
#include "monitor/MonitorFiles.h"
#include "register/CustomerSave.h"
#include "register/Register.h"
#include "register/VehicleExport.h"
#include "register/ui/RegisterUi.h"
#include "register/ui/VehicleUpdateForm.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

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

QLineEdit* DisplayField(QWidget* parent, const char* name, const char* label, int maxCharacters = 0) {
    return MakeDisplayField(parent, name, QString::fromUtf8(label), maxCharacters);
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    QPushButton* button = MakeButton(parent, name, caption);
    button->setMinimumSize(120, 34);
    return button;
}

QLabel* Label(const char* text, QWidget* parent) {
    return MakeLabel(parent, text);
}

void SetLines(QComboBox* combo, const std::vector<std::string>& lines) {
    combo->clear();
    combo->addItems(ToQStringList(lines));
}

} // namespace

VehicleInfoForm::VehicleInfoForm(const FormContext& context, CustomerSearchDialog* search)
    : VehicleSelectionForm(context, search) {
    setObjectName("CarInfoForm");
    setWindowTitle("データ取込・印刷");
    setFont(FixedFont(12));
    BuildLayout();
}

void VehicleInfoForm::Connect(VehicleUpdateForm* update, WaitDialog* wait, QWidget* menu, QWidget* printSetup) {
    update_ = update;
    wait_ = wait;
    menu_ = menu;
    printSetup_ = printSetup;
    Button6->setEnabled(false);
}

void VehicleInfoForm::ShowFromMenu() {
    PrepareFromMenu();
    Panel1->setEnabled(true);
    show();
}

void VehicleInfoForm::BuildLayout() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");

    auto* customer = new QGroupBox("お客様情報", Panel1);
    customer->setObjectName("GroupBox1");
    UserNameCB = new QComboBox(customer);
    SetupCombo(UserNameCB, "UserNameCB", "お客様名", false);
    UserNameCB->setMinimumWidth(260);
    Edit25 = DisplayField(customer, "Edit25", "郵便番号1");
    Edit20 = DisplayField(customer, "Edit20", "郵便番号2");
    Edit2 = DisplayField(customer, "Edit2", "電話番号1");
    Edit21 = DisplayField(customer, "Edit21", "電話番号2");
    Edit22 = DisplayField(customer, "Edit22", "電話番号3");
    Edit3 = DisplayField(customer, "Edit3", "携帯電話1");
    Edit23 = DisplayField(customer, "Edit23", "携帯電話2");
    Edit24 = DisplayField(customer, "Edit24", "携帯電話3");
    Edit4 = DisplayField(customer, "Edit4", "住所", 74);
    auto* customerGrid = new QGridLayout(customer);
    customerGrid->addWidget(Label("お客様名", customer), 0, 0);
    customerGrid->addWidget(UserNameCB, 0, 1);
    customerGrid->addWidget(Label("郵便番号", customer), 1, 0);
    customerGrid->addLayout(DashRow({Edit25, Edit20}), 1, 1);
    customerGrid->addWidget(Label("電話番号", customer), 2, 0);
    customerGrid->addLayout(DashRow({Edit2, Edit21, Edit22}), 2, 1);
    customerGrid->addWidget(Label("携帯電話", customer), 3, 0);
    customerGrid->addLayout(DashRow({Edit3, Edit23, Edit24}), 3, 1);
    customerGrid->addWidget(Label("住所", customer), 4, 0);
    customerGrid->addWidget(Edit4, 4, 1);

    auto* vehicle = new QGroupBox("車両情報", Panel1);
    vehicle->setObjectName("GroupBox2");
    CarNoCB = new QComboBox(vehicle);
    SetupCombo(CarNoCB, "CarNoCB", "車両番号", true);
    CarNoCB->setMinimumWidth(190);
    NumberCB = new QComboBox(vehicle);
    SetupCombo(NumberCB, "NumberCB", "管理番号", true);
    NumberCB->lineEdit()->setValidator(new DigitsOnlyValidator(NumberCB));
    NumberCB->setFixedWidth(80);
    Edit5 = DisplayField(vehicle, "Edit5", "メーカー", 20);
    Edit6 = DisplayField(vehicle, "Edit6", "車種", 20);
    Edit11 = DisplayField(vehicle, "Edit11", "車台番号", 20);
    Edit1 = DisplayField(vehicle, "Edit1", "型式", 20);
    Edit7 = DisplayField(vehicle, "Edit7", "初年度登録年月", 20);
    Edit8 = DisplayField(vehicle, "Edit8", "エンジン形式", 20);
    Edit9 = DisplayField(vehicle, "Edit9", "コメント", 74);
    Edit10 = DisplayField(vehicle, "Edit10", "走行距離");
    Edit12 = DisplayField(vehicle, "Edit12", "型式");
    Edit13 = DisplayField(vehicle, "Edit13", "次回車検日");
    for (QLineEdit* hidden : {Edit10, Edit12, Edit13}) {
        hidden->hide();
    }
    auto* vehicleGrid = new QGridLayout(vehicle);
    vehicleGrid->addWidget(Label("車両番号", vehicle), 0, 0);
    vehicleGrid->addWidget(CarNoCB, 0, 1);
    vehicleGrid->addWidget(Label("管理番号", vehicle), 0, 2);
    vehicleGrid->addWidget(NumberCB, 0, 3);
    const std::pair<const char*, QLineEdit*> rows[] = {{"メーカー", Edit5},       {"車種", Edit6},
                                                       {"車台番号", Edit11},      {"型式", Edit1},
                                                       {"初年度登録年月", Edit7}, {"エンジン形式", Edit8}};
    int row = 1;
    for (const auto& [label, edit] : rows) {
        vehicleGrid->addWidget(Label(label, vehicle), row, 0);
        vehicleGrid->addWidget(edit, row, 1, 1, 3);
        ++row;
    }
    vehicleGrid->addWidget(Label("コメント", vehicle), row, 0);
    vehicleGrid->addWidget(Edit9, row, 1, 1, 3);

    auto recordColumn = [this](const char* caption, const char* comboName, const char* memoName, QComboBox*& combo,
                               QPlainTextEdit*& memo) {
        auto* box = new QGroupBox(QString::fromUtf8(caption), Panel1);
        combo = new QComboBox(box);
        SetupCombo(combo, comboName, QString::fromUtf8(caption), false);
        memo = new QPlainTextEdit(box);
        memo->setObjectName(memoName);
        memo->setAccessibleName(QString::fromUtf8(caption) + "の内容");
        memo->setReadOnly(true);
        memo->setMinimumSize(330, 220);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(combo);
        layout->addWidget(memo);
        return box;
    };
    QGroupBox* first = recordColumn("データ①", "ComboBox2", "Memo2", ComboBox2, Memo2);
    QGroupBox* second = recordColumn("データ②", "ComboBox3", "Memo3", ComboBox3, Memo3);

    Button10 = Button(Panel1, "Button10", "検　　索");
    Button7 = Button(Panel1, "Button7", "ファイル出力");
    Button6 = Button(Panel1, "Button6", "印　　刷");
    Button1 = Button(Panel1, "Button1", "データ取り込み");
    Button2 = Button(Panel1, "Button2", "データ削除");
    Button3 = Button(Panel1, "Button3", "戻　　る");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Button10, Button7, Button6, Button1, Button2}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(Button3);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(customer);
    left->addWidget(vehicle);
    top->addLayout(left);
    top->addWidget(first);
    top->addWidget(second);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->addLayout(top);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Panel1);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(UserNameCB, &QComboBox::activated, this, &VehicleInfoForm::UserNameCBChange);
    connect(CarNoCB, &QComboBox::activated, this, &VehicleInfoForm::CarNoCBChange);
    connect(CarNoCB->lineEdit(), &QLineEdit::textEdited, this, &VehicleInfoForm::CarNoCBChange);
    connect(NumberCB, &QComboBox::activated, this, &VehicleInfoForm::NumberCBChange);
    connect(NumberCB->lineEdit(), &QLineEdit::textEdited, this, &VehicleInfoForm::NumberCBChange);
    connect(ComboBox2, &QComboBox::activated, this, &VehicleInfoForm::ComboBox2Change);
    connect(ComboBox3, &QComboBox::activated, this, &VehicleInfoForm::ComboBox3Change);
    connect(Button10, &QPushButton::clicked, this, &VehicleInfoForm::Button10Click);
    connect(Button7, &QPushButton::clicked, this, &VehicleInfoForm::Button7Click);
    connect(Button1, &QPushButton::clicked, this, &VehicleInfoForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &VehicleInfoForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &VehicleInfoForm::Button3Click);
    connect(Button6, &QPushButton::clicked, this, &VehicleInfoForm::Button6Click);
    // Printing needs the print setup form; the button stays off without it.
    Button6->setEnabled(false);
}

void VehicleInfoForm::Reset() {
    for (QComboBox* combo : {ComboBox2, ComboBox3, CarNoCB, NumberCB}) {
        combo->clear();
        combo->setEditText({});
    }
    for (QLineEdit* edit : {Edit25, Edit20, Edit2, Edit21, Edit22, Edit3, Edit23, Edit24, Edit4, Edit5, Edit6, Edit11,
                            Edit1, Edit7, Edit8, Edit9, Edit10, Edit12, Edit13}) {
        edit->clear();
    }
    Memo2->clear();
    Memo3->clear();
    memo2Lines_.clear();
    memo3Lines_.clear();
}

void VehicleInfoForm::DisableForNoCustomers() {
    for (QPushButton* button : {Button1, Button2, Button6, Button7, Button10}) {
        button->setEnabled(false);
    }
}

void VehicleInfoForm::ShowCustomer(const CustomerProfile& profile) {
    ShowContact(profile, {{Edit2, Edit21, Edit22}, {Edit3, Edit23, Edit24}, {Edit25, Edit20}, Edit4});
}

void VehicleInfoForm::AfterCustomerLoaded() {
    Button10->setEnabled(true);
}

// The management numbers follow the vehicle list.
void VehicleInfoForm::AfterVehiclesListed() {
    const QSignalBlocker block(NumberCB);
    NumberCB->clear();
    for (std::size_t number = 1; number <= vehicles_.size(); ++number) {
        NumberCB->addItem(QString::number(number));
    }
    NumberCB->setCurrentIndex(CarNoCB->currentIndex());
    if (CarNoCB->currentIndex() < 0) {
        NumberCB->setEditText({});
    }
    SetVehicleButtons(!vehicles_.empty());
    KeepPartnerInStep();
}

void VehicleInfoForm::KeepPartnerInStep() {
    if (update_) {
        update_->KeepInStepWith(Selection());
    }
}

void VehicleInfoForm::SetVehicleButtons(bool enabled) {
    for (QPushButton* button : {Button7, Button1, Button2}) {
        button->setEnabled(enabled);
    }
    Button6->setEnabled(enabled && printSetup_ != nullptr);
}

void VehicleInfoForm::LoadVehicle() {
    if (currentVehicle_.empty()) {
        return;
    }
    const VehicleProfile vehicle = Reg().ReadVehicle(currentCustomer_, currentVehicle_);
    Edit5->setText(Q(vehicle.Maker));
    Edit6->setText(Q(vehicle.TypeCar));
    Edit11->setText(Q(vehicle.BodyNumber));
    Edit1->setText(Q(vehicle.Type));
    Edit7->setText(Q(vehicle.Model));
    Edit8->setText(Q(vehicle.EngineType));
    Edit9->setText(Q(vehicle.Comment));
    Edit10->setText(Q(vehicle.Mileage));
    Edit12->setText(Q(vehicle.Type));
    Edit13->setText(Q(vehicle.NextCheck));
    LoadRecords();
    SelectMatchingItem(CarNoCB);
    NumberCB->setCurrentIndex(CarNoCB->currentIndex());
    KeepPartnerInStep();
}

// Both record selectors list the vehicle's index; both memos show the first record.
void VehicleInfoForm::LoadRecords() {
    const std::vector<std::string> titles = ReadMonitorIndex(CurrentVehicleFolder());
    for (QComboBox* combo : {ComboBox2, ComboBox3}) {
        SetLines(combo, titles);
        combo->setCurrentIndex(titles.empty() ? -1 : 0);
    }
    LoadMemo(ComboBox2, Memo2, memo2Lines_);
    LoadMemo(ComboBox3, Memo3, memo3Lines_);
}

void VehicleInfoForm::LoadMemo(QComboBox* selector, QPlainTextEdit* memo, std::vector<std::string>& lines) {
    memo->clear();
    lines.clear();
    if (selector->currentIndex() >= 0) {
        lines = ReadRecordLines(CurrentVehicleFolder(), S(selector->currentText()));
        memo->setPlainText(ToQStringList(lines).join('\n'));
    }
}

void VehicleInfoForm::ComboBox2Change() {
    LoadMemo(ComboBox2, Memo2, memo2Lines_);
}
void VehicleInfoForm::ComboBox3Change() {
    LoadMemo(ComboBox3, Memo3, memo3Lines_);
}

void VehicleInfoForm::NumberCBChange() {
    const QString text = NumberCB->currentText();
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (text.isEmpty() || !ok || value > NumberCB->count() || value < 1) {
        NumberCB->setCurrentIndex(CarNoCB->currentIndex());
        NumberCB->setEditText(QString::number(CarNoCB->currentIndex() + 1));
        return;
    }
    SelectMatchingItem(NumberCB);
    CarNoCB->setEditText(CarNoCB->itemText(NumberCB->currentIndex()));
    currentVehicle_ = S(CarNoCB->currentText());
    LoadVehicle();
}

void VehicleInfoForm::Button10Click() {
    SearchClick();
}

void VehicleInfoForm::Button1Click() {
    if (UserNameCB->currentText().isEmpty()) {
        context_.Dialogs().Show(DialogIcon::Information, EnterCustomerNameMessage);
        return;
    }
    if (!wait_) {
        return;
    }
    context_.Link().ConnectTester(context_.TesterName());
    customerIndex_ = UserNameCB->currentIndex();
    wait_->StartJob(TesterJob::RecordDirectory);
}

void VehicleInfoForm::Button2Click() {
    // Nothing to remove in an empty list, and nothing without a chosen record.
    if (ComboBox2->count() == 0 || ComboBox2->currentIndex() < 0) {
        return;
    }
    ReloadOnShow = false;
    const VehicleFolder vehicle = CurrentVehicleFolder();
    if (!RemoveMonitorEntry(vehicle, ComboBox2->currentIndex())) {
        context_.Dialogs().Show(DialogIcon::Error, "データ一覧「" + vehicle.MonitorIndexFile() +
                                                       "」を保存できませんでした。\nデータは削除されていません。");
        return;
    }
    LoadRecords();
    show();
}

void VehicleInfoForm::Button7Click() {
    VehicleExportData data;
    data.Customer = S(UserNameCB->currentText());
    data.Tel1 = S(Edit2->text());
    data.Tel2 = S(Edit21->text());
    data.Tel3 = S(Edit22->text());
    data.Mobile1 = S(Edit3->text());
    data.Mobile2 = S(Edit23->text());
    data.Mobile3 = S(Edit24->text());
    data.Address = S(Edit4->text());
    data.VehicleNumber = CarNoCB->currentIndex() >= 0 ? S(CarNoCB->itemText(CarNoCB->currentIndex())) : "";
    data.Maker = S(Edit5->text());
    data.TypeCar = S(Edit6->text());
    data.Model = S(Edit7->text());
    data.BodyNumber = S(Edit11->text());
    data.Type = S(Edit1->text());
    data.EngineType = S(Edit8->text());
    data.Comment = S(Edit9->text());
    data.First = {S(ComboBox2->currentText()), memo2Lines_};
    data.Second = {S(ComboBox3->currentText()), memo3Lines_};

    FileDialogOptions options;
    options.fileName = VehicleExportFileName(data.Customer, FormatShortJapaneseTimestamp(context_.Clock().Now()));
    options.defaultExtension = "txt";
    options.filter = "テキストファイル|*.txt";
    const auto file = context_.Dialogs().SaveFile(options);
    if (!file) {
        return;
    }
    if (!SaveSjisLines(PathFromUtf8(*file), VehicleExportLines(data))) {
        context_.Dialogs().Show(DialogIcon::Error, "ファイル「" + *file + "」を作成できませんでした。");
    }
}

void VehicleInfoForm::Button3Click() {
    hide();
    if (menu_) {
        menu_->show();
    }
}

void VehicleInfoForm::Button6Click() {
    if (!printSetup_) {
        return;
    }
    hide();
    printSetup_->show();
}

void VehicleInfoForm::ReturnFromPrinting() {
    show();
    setEnabled(true);
}

void VehicleInfoForm::RecordReadStarted() {
    Panel1->setEnabled(false);
}

void VehicleInfoForm::HideForRecordRead() {
    hide();
}

void VehicleInfoForm::ReturnFromRecordRead() {
    Panel1->setEnabled(true);
    show();
    setEnabled(true);
}

void VehicleInfoForm::ShowAfterRecordStored() {
    ReloadOnShow = false;
    currentCustomer_ = S(UserNameCB->currentText());
    LoadVehicle();
    Panel1->setEnabled(true);
    setEnabled(true);
    show();
    raise();
}

VehicleInfoFields VehicleInfoForm::Fields() const {
    VehicleInfoFields f;
    f.Customer = S(UserNameCB->currentText());
    f.Post1 = S(Edit25->text());
    f.Post2 = S(Edit20->text());
    f.Tel1 = S(Edit2->text());
    f.Tel2 = S(Edit21->text());
    f.Tel3 = S(Edit22->text());
    f.Mobile1 = S(Edit3->text());
    f.Mobile2 = S(Edit23->text());
    f.Mobile3 = S(Edit24->text());
    f.Address = S(Edit4->text());
    f.VehicleNumber = S(CarNoCB->currentText());
    f.Vehicle = {S(Edit5->text()),  S(Edit6->text()),  S(Edit7->text()),  S(Edit8->text()), S(Edit9->text()),
                 S(Edit11->text()), S(Edit12->text()), S(Edit10->text()), S(Edit13->text())};
    for (int i = 0; i < ComboBox2->count(); ++i) {
        f.Records.push_back(S(ComboBox2->itemText(i)));
    }
    return f;
}

void VehicleInfoForm::TakePrintedMileage(const std::string& mileage, const std::string& nextCheck) {
    Edit10->setText(Q(mileage));
    Edit13->setText(Q(nextCheck));
}
