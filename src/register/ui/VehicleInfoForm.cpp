#include "register/ui/VehicleInfoForm.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "common/ui/FormHelpers.h"
#include "register/CustomerSave.h"
#include "register/MonitorFiles.h"
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

QLineEdit* DisplayField(QWidget* parent, const char* objectName, const char* label, int maxCharacters = 0) {
    return MakeDisplayField(parent, objectName, QString::fromUtf8(label), maxCharacters);
}

QPushButton* Button(QWidget* parent, const char* objectName, const char* caption) {
    QPushButton* button = MakeButton(parent, objectName, caption);
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
    setObjectName("VehicleInfoForm");
    setWindowTitle("データ取込・印刷");
    setFont(FixedFont(12));
    BuildLayout();
}

void VehicleInfoForm::Connect(VehicleUpdateForm* update, WaitDialog* wait, QWidget* menu, QWidget* printSetup) {
    update_ = update;
    wait_ = wait;
    menu_ = menu;
    printSetup_ = printSetup;
    printButton_->setEnabled(false);
}

void VehicleInfoForm::ShowFromMenu() {
    PrepareFromMenu();
    contentPanel_->setEnabled(true);
    show();
}

void VehicleInfoForm::BuildLayout() {
    contentPanel_ = new QFrame(this);
    contentPanel_->setObjectName("contentPanel");

    auto* customer = new QGroupBox("お客様情報", contentPanel_);
    customerCombo_ = new QComboBox(customer);
    SetupCombo(customerCombo_, "customerCombo", "お客様名", false);
    customerCombo_->setMinimumWidth(260);
    postCode1Edit_ = DisplayField(customer, "postCode1Edit", "郵便番号1");
    postCode2Edit_ = DisplayField(customer, "postCode2Edit", "郵便番号2");
    phone1Edit_ = DisplayField(customer, "phone1Edit", "電話番号1");
    phone2Edit_ = DisplayField(customer, "phone2Edit", "電話番号2");
    phone3Edit_ = DisplayField(customer, "phone3Edit", "電話番号3");
    mobile1Edit_ = DisplayField(customer, "mobile1Edit", "携帯電話1");
    mobile2Edit_ = DisplayField(customer, "mobile2Edit", "携帯電話2");
    mobile3Edit_ = DisplayField(customer, "mobile3Edit", "携帯電話3");
    addressEdit_ = DisplayField(customer, "addressEdit", "住所", 74);
    auto* customerGrid = new QGridLayout(customer);
    customerGrid->addWidget(Label("お客様名", customer), 0, 0);
    customerGrid->addWidget(customerCombo_, 0, 1);
    customerGrid->addWidget(Label("郵便番号", customer), 1, 0);
    customerGrid->addLayout(DashRow({postCode1Edit_, postCode2Edit_}), 1, 1);
    customerGrid->addWidget(Label("電話番号", customer), 2, 0);
    customerGrid->addLayout(DashRow({phone1Edit_, phone2Edit_, phone3Edit_}), 2, 1);
    customerGrid->addWidget(Label("携帯電話", customer), 3, 0);
    customerGrid->addLayout(DashRow({mobile1Edit_, mobile2Edit_, mobile3Edit_}), 3, 1);
    customerGrid->addWidget(Label("住所", customer), 4, 0);
    customerGrid->addWidget(addressEdit_, 4, 1);

    auto* vehicle = new QGroupBox("車両情報", contentPanel_);
    vehicleCombo_ = new QComboBox(vehicle);
    SetupCombo(vehicleCombo_, "vehicleCombo", "車両番号", true);
    vehicleCombo_->setMinimumWidth(190);
    managementNumberCombo_ = new QComboBox(vehicle);
    SetupCombo(managementNumberCombo_, "managementNumberCombo", "管理番号", true);
    managementNumberCombo_->lineEdit()->setValidator(new DigitsOnlyValidator(managementNumberCombo_));
    managementNumberCombo_->setFixedWidth(80);
    makerEdit_ = DisplayField(vehicle, "makerEdit", "メーカー", 20);
    carNameEdit_ = DisplayField(vehicle, "carNameEdit", "車種", 20);
    bodyNumberEdit_ = DisplayField(vehicle, "bodyNumberEdit", "車台番号", 20);
    typeEdit_ = DisplayField(vehicle, "typeEdit", "型式", 20);
    firstRegistrationEdit_ = DisplayField(vehicle, "firstRegistrationEdit", "初年度登録年月", 20);
    engineTypeEdit_ = DisplayField(vehicle, "engineTypeEdit", "エンジン形式", 20);
    commentEdit_ = DisplayField(vehicle, "commentEdit", "コメント", 74);
    mileageEdit_ = DisplayField(vehicle, "mileageEdit", "走行距離");
    hiddenTypeEdit_ = DisplayField(vehicle, "hiddenTypeEdit", "型式");
    nextInspectionEdit_ = DisplayField(vehicle, "nextInspectionEdit", "次回車検日");
    for (QLineEdit* hidden : {mileageEdit_, hiddenTypeEdit_, nextInspectionEdit_}) {
        hidden->hide();
    }
    auto* vehicleGrid = new QGridLayout(vehicle);
    vehicleGrid->addWidget(Label("車両番号", vehicle), 0, 0);
    vehicleGrid->addWidget(vehicleCombo_, 0, 1);
    vehicleGrid->addWidget(Label("管理番号", vehicle), 0, 2);
    vehicleGrid->addWidget(managementNumberCombo_, 0, 3);
    const std::pair<const char*, QLineEdit*> rows[] = {{"メーカー", makerEdit_},
                                                       {"車種", carNameEdit_},
                                                       {"車台番号", bodyNumberEdit_},
                                                       {"型式", typeEdit_},
                                                       {"初年度登録年月", firstRegistrationEdit_},
                                                       {"エンジン形式", engineTypeEdit_}};
    int row = 1;
    for (const auto& [label, edit] : rows) {
        vehicleGrid->addWidget(Label(label, vehicle), row, 0);
        vehicleGrid->addWidget(edit, row, 1, 1, 3);
        ++row;
    }
    vehicleGrid->addWidget(Label("コメント", vehicle), row, 0);
    vehicleGrid->addWidget(commentEdit_, row, 1, 1, 3);

    auto recordColumn = [this](const char* caption, const char* comboObjectName, const char* memoObjectName,
                               QComboBox*& combo, QPlainTextEdit*& memo) {
        auto* box = new QGroupBox(QString::fromUtf8(caption), contentPanel_);
        combo = new QComboBox(box);
        SetupCombo(combo, comboObjectName, QString::fromUtf8(caption), false);
        memo = new QPlainTextEdit(box);
        memo->setObjectName(memoObjectName);
        memo->setAccessibleName(QString::fromUtf8(caption) + "の内容");
        memo->setReadOnly(true);
        memo->setMinimumSize(330, 220);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(combo);
        layout->addWidget(memo);
        return box;
    };
    QGroupBox* first =
        recordColumn("データ①", "firstRecordCombo", "firstRecordMemo", firstRecordCombo_, firstRecordMemo_);
    QGroupBox* second =
        recordColumn("データ②", "secondRecordCombo", "secondRecordMemo", secondRecordCombo_, secondRecordMemo_);

    searchButton_ = Button(contentPanel_, "searchButton", "検　　索");
    exportButton_ = Button(contentPanel_, "exportButton", "ファイル出力");
    printButton_ = Button(contentPanel_, "printButton", "印　　刷");
    importButton_ = Button(contentPanel_, "importButton", "データ取り込み");
    removeRecordButton_ = Button(contentPanel_, "removeRecordButton", "データ削除");
    backButton_ = Button(contentPanel_, "backButton", "戻　　る");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {searchButton_, exportButton_, printButton_, importButton_, removeRecordButton_}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(backButton_);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(customer);
    left->addWidget(vehicle);
    top->addLayout(left);
    top->addWidget(first);
    top->addWidget(second);
    auto* panelLayout = new QVBoxLayout(contentPanel_);
    panelLayout->addLayout(top);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(contentPanel_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(customerCombo_, &QComboBox::activated, this, &VehicleInfoForm::CustomerChosen);
    connect(vehicleCombo_, &QComboBox::activated, this, &VehicleInfoForm::VehicleChosen);
    connect(vehicleCombo_->lineEdit(), &QLineEdit::textEdited, this, &VehicleInfoForm::VehicleChosen);
    connect(managementNumberCombo_, &QComboBox::activated, this, &VehicleInfoForm::ManagementNumberChosen);
    connect(managementNumberCombo_->lineEdit(), &QLineEdit::textEdited, this, &VehicleInfoForm::ManagementNumberChosen);
    connect(firstRecordCombo_, &QComboBox::activated, this, &VehicleInfoForm::FirstRecordChosen);
    connect(secondRecordCombo_, &QComboBox::activated, this, &VehicleInfoForm::SecondRecordChosen);
    connect(searchButton_, &QPushButton::clicked, this, &VehicleInfoForm::SearchVehicle);
    connect(exportButton_, &QPushButton::clicked, this, &VehicleInfoForm::ExportText);
    connect(importButton_, &QPushButton::clicked, this, &VehicleInfoForm::ImportFromTester);
    connect(removeRecordButton_, &QPushButton::clicked, this, &VehicleInfoForm::RemoveRecord);
    connect(backButton_, &QPushButton::clicked, this, &VehicleInfoForm::GoBack);
    connect(printButton_, &QPushButton::clicked, this, &VehicleInfoForm::OpenPrintSetup);
    // Printing needs the print setup form; the button stays off without it.
    printButton_->setEnabled(false);
}

void VehicleInfoForm::Reset() {
    for (QComboBox* combo : {firstRecordCombo_, secondRecordCombo_, vehicleCombo_, managementNumberCombo_}) {
        combo->clear();
        combo->setEditText({});
    }
    for (QLineEdit* edit :
         {postCode1Edit_, postCode2Edit_, phone1Edit_, phone2Edit_, phone3Edit_, mobile1Edit_, mobile2Edit_,
          mobile3Edit_, addressEdit_, makerEdit_, carNameEdit_, bodyNumberEdit_, typeEdit_, firstRegistrationEdit_,
          engineTypeEdit_, commentEdit_, mileageEdit_, hiddenTypeEdit_, nextInspectionEdit_}) {
        edit->clear();
    }
    firstRecordMemo_->clear();
    secondRecordMemo_->clear();
    firstRecordLines_.clear();
    secondRecordLines_.clear();
}

void VehicleInfoForm::DisableForNoCustomers() {
    for (QPushButton* button : {importButton_, removeRecordButton_, printButton_, exportButton_, searchButton_}) {
        button->setEnabled(false);
    }
}

void VehicleInfoForm::ShowCustomer(const CustomerProfile& profile) {
    ShowContact(profile, {{phone1Edit_, phone2Edit_, phone3Edit_},
                          {mobile1Edit_, mobile2Edit_, mobile3Edit_},
                          {postCode1Edit_, postCode2Edit_},
                          addressEdit_});
}

void VehicleInfoForm::AfterCustomerLoaded() {
    searchButton_->setEnabled(true);
}

// The management numbers follow the vehicle list.
void VehicleInfoForm::AfterVehiclesListed() {
    const QSignalBlocker block(managementNumberCombo_);
    managementNumberCombo_->clear();
    for (std::size_t number = 1; number <= vehicles_.size(); ++number) {
        managementNumberCombo_->addItem(QString::number(number));
    }
    managementNumberCombo_->setCurrentIndex(vehicleCombo_->currentIndex());
    if (vehicleCombo_->currentIndex() < 0) {
        managementNumberCombo_->setEditText({});
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
    for (QPushButton* button : {exportButton_, importButton_, removeRecordButton_}) {
        button->setEnabled(enabled);
    }
    printButton_->setEnabled(enabled && printSetup_ != nullptr);
}

void VehicleInfoForm::LoadVehicle() {
    if (currentVehicle_.empty()) {
        return;
    }
    const VehicleProfile vehicle = Reg().ReadVehicle(currentCustomer_, currentVehicle_);
    makerEdit_->setText(Q(vehicle.Maker));
    carNameEdit_->setText(Q(vehicle.TypeCar));
    bodyNumberEdit_->setText(Q(vehicle.BodyNumber));
    typeEdit_->setText(Q(vehicle.Type));
    firstRegistrationEdit_->setText(Q(vehicle.Model));
    engineTypeEdit_->setText(Q(vehicle.EngineType));
    commentEdit_->setText(Q(vehicle.Comment));
    mileageEdit_->setText(Q(vehicle.Mileage));
    hiddenTypeEdit_->setText(Q(vehicle.Type));
    nextInspectionEdit_->setText(Q(vehicle.NextCheck));
    LoadRecords();
    SelectMatchingItem(vehicleCombo_);
    managementNumberCombo_->setCurrentIndex(vehicleCombo_->currentIndex());
    KeepPartnerInStep();
}

// Both record selectors list the vehicle's index; both memos show the first record.
void VehicleInfoForm::LoadRecords() {
    const std::vector<std::string> titles = ReadMonitorIndex(CurrentVehicleFolder());
    for (QComboBox* combo : {firstRecordCombo_, secondRecordCombo_}) {
        SetLines(combo, titles);
        combo->setCurrentIndex(titles.empty() ? -1 : 0);
    }
    LoadMemo(firstRecordCombo_, firstRecordMemo_, firstRecordLines_);
    LoadMemo(secondRecordCombo_, secondRecordMemo_, secondRecordLines_);
}

void VehicleInfoForm::LoadMemo(QComboBox* selector, QPlainTextEdit* memo, std::vector<std::string>& lines) {
    memo->clear();
    lines.clear();
    if (selector->currentIndex() >= 0) {
        lines = ReadRecordLines(CurrentVehicleFolder(), S(selector->currentText()));
        memo->setPlainText(ToQStringList(lines).join('\n'));
    }
}

void VehicleInfoForm::FirstRecordChosen() {
    LoadMemo(firstRecordCombo_, firstRecordMemo_, firstRecordLines_);
}
void VehicleInfoForm::SecondRecordChosen() {
    LoadMemo(secondRecordCombo_, secondRecordMemo_, secondRecordLines_);
}

void VehicleInfoForm::ManagementNumberChosen() {
    const QString text = managementNumberCombo_->currentText();
    bool ok = false;
    const long long value = text.toLongLong(&ok);
    if (text.isEmpty() || !ok || value > managementNumberCombo_->count() || value < 1) {
        managementNumberCombo_->setCurrentIndex(vehicleCombo_->currentIndex());
        managementNumberCombo_->setEditText(QString::number(vehicleCombo_->currentIndex() + 1));
        return;
    }
    SelectMatchingItem(managementNumberCombo_);
    vehicleCombo_->setEditText(vehicleCombo_->itemText(managementNumberCombo_->currentIndex()));
    currentVehicle_ = S(vehicleCombo_->currentText());
    LoadVehicle();
}

void VehicleInfoForm::SearchVehicle() {
    SearchCustomer();
}

void VehicleInfoForm::ImportFromTester() {
    if (customerCombo_->currentText().isEmpty()) {
        context_.Dialogs().Show(DialogIcon::Information, EnterCustomerNameMessage);
        return;
    }
    if (!wait_) {
        return;
    }
    context_.Link().ConnectTester(context_.TesterName());
    customerIndex_ = customerCombo_->currentIndex();
    wait_->StartJob(TesterJob::RecordDirectory);
}

void VehicleInfoForm::RemoveRecord() {
    // Nothing to remove in an empty list, and nothing without a chosen record.
    if (firstRecordCombo_->count() == 0 || firstRecordCombo_->currentIndex() < 0) {
        return;
    }
    ReloadOnShow = false;
    const VehicleFolder vehicle = CurrentVehicleFolder();
    if (!RemoveMonitorEntry(vehicle, firstRecordCombo_->currentIndex())) {
        context_.Dialogs().Show(DialogIcon::Error, "データ一覧「" + vehicle.MonitorIndexFile() +
                                                       "」を保存できませんでした。\nデータは削除されていません。");
        return;
    }
    LoadRecords();
    show();
}

void VehicleInfoForm::ExportText() {
    VehicleExportData data;
    data.Customer = S(customerCombo_->currentText());
    data.Tel1 = S(phone1Edit_->text());
    data.Tel2 = S(phone2Edit_->text());
    data.Tel3 = S(phone3Edit_->text());
    data.Mobile1 = S(mobile1Edit_->text());
    data.Mobile2 = S(mobile2Edit_->text());
    data.Mobile3 = S(mobile3Edit_->text());
    data.Address = S(addressEdit_->text());
    data.VehicleNumber =
        vehicleCombo_->currentIndex() >= 0 ? S(vehicleCombo_->itemText(vehicleCombo_->currentIndex())) : "";
    data.Maker = S(makerEdit_->text());
    data.TypeCar = S(carNameEdit_->text());
    data.Model = S(firstRegistrationEdit_->text());
    data.BodyNumber = S(bodyNumberEdit_->text());
    data.Type = S(typeEdit_->text());
    data.EngineType = S(engineTypeEdit_->text());
    data.Comment = S(commentEdit_->text());
    data.First = {S(firstRecordCombo_->currentText()), firstRecordLines_};
    data.Second = {S(secondRecordCombo_->currentText()), secondRecordLines_};

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

void VehicleInfoForm::GoBack() {
    hide();
    if (menu_) {
        menu_->show();
    }
}

void VehicleInfoForm::OpenPrintSetup() {
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
    contentPanel_->setEnabled(false);
}

void VehicleInfoForm::HideForRecordRead() {
    hide();
}

void VehicleInfoForm::ReturnFromRecordRead() {
    contentPanel_->setEnabled(true);
    show();
    setEnabled(true);
}

void VehicleInfoForm::ShowAfterRecordStored() {
    ReloadOnShow = false;
    currentCustomer_ = S(customerCombo_->currentText());
    LoadVehicle();
    contentPanel_->setEnabled(true);
    setEnabled(true);
    show();
    raise();
}

VehicleInfoFields VehicleInfoForm::Fields() const {
    VehicleInfoFields f;
    f.Customer = S(customerCombo_->currentText());
    f.Post1 = S(postCode1Edit_->text());
    f.Post2 = S(postCode2Edit_->text());
    f.Tel1 = S(phone1Edit_->text());
    f.Tel2 = S(phone2Edit_->text());
    f.Tel3 = S(phone3Edit_->text());
    f.Mobile1 = S(mobile1Edit_->text());
    f.Mobile2 = S(mobile2Edit_->text());
    f.Mobile3 = S(mobile3Edit_->text());
    f.Address = S(addressEdit_->text());
    f.VehicleNumber = S(vehicleCombo_->currentText());
    f.Vehicle = {S(makerEdit_->text()),      S(carNameEdit_->text()), S(firstRegistrationEdit_->text()),
                 S(engineTypeEdit_->text()), S(commentEdit_->text()), S(bodyNumberEdit_->text()),
                 S(hiddenTypeEdit_->text()), S(mileageEdit_->text()), S(nextInspectionEdit_->text())};
    for (int i = 0; i < firstRecordCombo_->count(); ++i) {
        f.Records.push_back(S(firstRecordCombo_->itemText(i)));
    }
    return f;
}

void VehicleInfoForm::TakePrintedMileage(const std::string& mileage, const std::string& nextCheck) {
    mileageEdit_->setText(Q(mileage));
    nextInspectionEdit_->setText(Q(nextCheck));
}
