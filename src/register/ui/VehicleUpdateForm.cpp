#include "register/ui/VehicleUpdateForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "register/Register.h"
#include "register/ui/RegisterUi.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

namespace {
const QString NewVehicleCaption = QString::fromUtf8("車両新規登録");
const QString CancelEntryCaption = QString::fromUtf8(CancelEntryText);
constexpr const char* VehicleLabel = "車両番号";
} // namespace

VehicleUpdateForm::VehicleUpdateForm(const FormContext& context, CustomerSearchDialog* search)
    : VehicleSelectionForm(context, search) {
    setObjectName("VehicleUpdateForm");
    setWindowTitle("車両情報");
    setFont(FixedFont(13));

    customerCombo_ = new QComboBox(this);
    SetupCombo(customerCombo_, "customerCombo", "お客様名", false);
    customerCombo_->setMinimumWidth(300);
    searchButton_ = MakeButton(this, "searchButton", "検　　索");
    const QString postal = "郵便番号", tel = "電話番号", mobile = "携帯電話";
    postCode1Edit_ = MakeDisplayField(this, "postCode1Edit", postal + "1");
    postCode2Edit_ = MakeDisplayField(this, "postCode2Edit", postal + "2");
    phone1Edit_ = MakeDisplayField(this, "phone1Edit", tel + "1");
    phone2Edit_ = MakeDisplayField(this, "phone2Edit", tel + "2");
    phone3Edit_ = MakeDisplayField(this, "phone3Edit", tel + "3");
    mobile1Edit_ = MakeDisplayField(this, "mobile1Edit", mobile + "1");
    mobile2Edit_ = MakeDisplayField(this, "mobile2Edit", mobile + "2");
    mobile3Edit_ = MakeDisplayField(this, "mobile3Edit", mobile + "3");
    addressEdit_ = MakeDisplayField(this, "addressEdit", "住所", 74);
    for (QLineEdit* e : {postCode1Edit_, postCode2Edit_}) {
        e->setFixedWidth(70);
    }
    for (QLineEdit* e : {phone1Edit_, phone2Edit_, phone3Edit_, mobile1Edit_, mobile2Edit_, mobile3Edit_}) {
        e->setFixedWidth(90);
    }

    vehicleCombo_ = new QComboBox(this);
    SetupCombo(vehicleCombo_, "vehicleCombo", VehicleLabel, true);
    vehicleCombo_->setMinimumWidth(220);
    auto edit = [this](const char* objectName, const char* label, int maxCharacters) {
        auto* e = new QLineEdit(this);
        SetupEdit(e, objectName, QString::fromUtf8(label), maxCharacters);
        return e;
    };
    vehicleNumberEdit_ = edit("vehicleNumberEdit", "新規車両番号", 0);
    managementNumberEdit_ = MakeDisplayField(this, "managementNumberEdit", "管理番号");
    managementNumberEdit_->setFixedWidth(60);
    makerEdit_ = edit("makerEdit", "メーカー", 20);
    carNameEdit_ = edit("carNameEdit", "車種名", 20);
    firstRegistrationEdit_ = edit("firstRegistrationEdit", "初年度登録年月", 20);
    bodyNumberEdit_ = edit("bodyNumberEdit", "車台番号", 20);
    typeEdit_ = edit("typeEdit", "型式", 20);
    engineTypeEdit_ = edit("engineTypeEdit", "エンジン形式", 20);
    commentEdit_ = edit("commentEdit", "コメント", 74);
    mileageEdit_ = edit("mileageEdit", "走行距離", 0);
    nextInspectionEdit_ = edit("nextInspectionEdit", "次回車検日", 0);
    mileageEdit_->hide();
    nextInspectionEdit_->hide();
    folderTimeCombo_ = new QComboBox(this);
    folderTimeCombo_->setObjectName("folderTimeCombo");
    folderTimeCombo_->hide();

    newVehicleButton_ = MakeButton(this, "newVehicleButton", "車両新規登録");
    deleteButton_ = MakeButton(this, "deleteButton", "車両削除");
    confirmButton_ = MakeButton(this, "confirmButton", "車両情報確定");
    backButton_ = MakeButton(this, "backButton", "戻　　る");
    hintLabel_ = MakeHintLabel(this, "（車両情報を入力後 [車両情報確定] をクリックして確定して下さい。）");
    BuildLayout();

    connect(customerCombo_, &QComboBox::activated, this, &VehicleUpdateForm::CustomerChosen);
    connect(vehicleCombo_, &QComboBox::activated, this, &VehicleUpdateForm::VehicleChosen);
    connect(vehicleCombo_->lineEdit(), &QLineEdit::textEdited, this, &VehicleUpdateForm::VehicleChosen);
    connect(searchButton_, &QPushButton::clicked, this, &VehicleUpdateForm::SearchCustomer);
    connect(newVehicleButton_, &QPushButton::clicked, this, &VehicleUpdateForm::ToggleNewVehicle);
    connect(confirmButton_, &QPushButton::clicked, this, &VehicleUpdateForm::ConfirmVehicle);
    connect(deleteButton_, &QPushButton::clicked, this, &VehicleUpdateForm::DeleteVehicle);
    connect(backButton_, &QPushButton::clicked, this, &VehicleUpdateForm::GoBack);
    ApplyModeLook();
}

void VehicleUpdateForm::BuildLayout() {
    auto* customer = new QGroupBox("お客様情報", this);
    auto* customerGrid = new QGridLayout(customer);
    customerGrid->setContentsMargins(12, 12, 12, 12);
    customerGrid->setHorizontalSpacing(10);
    customerGrid->setVerticalSpacing(8);
    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(customerCombo_, 1);
    selectorRow->addWidget(searchButton_);
    customerGrid->addWidget(MakeLabel(customer, "お客様名"), 0, 0);
    customerGrid->addLayout(selectorRow, 0, 1);
    customerGrid->addWidget(MakeLabel(customer, "郵便番号"), 1, 0);
    customerGrid->addLayout(DashRow({postCode1Edit_, postCode2Edit_}), 1, 1);
    customerGrid->addWidget(MakeLabel(customer, "電話番号"), 2, 0);
    customerGrid->addLayout(DashRow({phone1Edit_, phone2Edit_, phone3Edit_}), 2, 1);
    customerGrid->addWidget(MakeLabel(customer, "携帯電話"), 3, 0);
    customerGrid->addLayout(DashRow({mobile1Edit_, mobile2Edit_, mobile3Edit_}), 3, 1);
    customerGrid->addWidget(MakeLabel(customer, "住所"), 4, 0);
    customerGrid->addWidget(addressEdit_, 4, 1);

    auto* vehicle = new QGroupBox("車両情報", this);
    auto* vehicleGrid = new QGridLayout(vehicle);
    vehicleGrid->setContentsMargins(12, 12, 12, 12);
    vehicleGrid->setHorizontalSpacing(10);
    vehicleGrid->setVerticalSpacing(8);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(vehicleCombo_, 1);
    numberRow->addSpacing(16);
    numberRow->addWidget(MakeLabel(vehicle, "管理番号"));
    numberRow->addWidget(managementNumberEdit_);
    vehicleGrid->addWidget(MakeLabel(vehicle, VehicleLabel), 0, 0);
    vehicleGrid->addLayout(numberRow, 0, 1, 1, 3);
    vehicleGrid->addWidget(MakeLabel(vehicle, "新規車両番号"), 1, 0);
    vehicleGrid->addWidget(vehicleNumberEdit_, 1, 1, 1, 3);
    const std::pair<const char*, QLineEdit*> pairs[] = {
        {"メーカー", makerEdit_},      {"車種名", carNameEdit_}, {"初年度登録年月", firstRegistrationEdit_},
        {"車台番号", bodyNumberEdit_}, {"型式", typeEdit_},      {"エンジン形式", engineTypeEdit_}};
    int row = 2;
    for (std::size_t i = 0; i < std::size(pairs); i += 2, ++row) {
        vehicleGrid->addWidget(MakeLabel(vehicle, pairs[i].first), row, 0);
        vehicleGrid->addWidget(pairs[i].second, row, 1);
        vehicleGrid->addWidget(MakeLabel(vehicle, pairs[i + 1].first), row, 2);
        vehicleGrid->addWidget(pairs[i + 1].second, row, 3);
    }
    vehicleGrid->addWidget(MakeLabel(vehicle, "コメント"), row, 0);
    vehicleGrid->addWidget(commentEdit_, row, 1, 1, 3);
    vehicleGrid->addWidget(hintLabel_, row + 1, 1, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    for (QPushButton* b : {newVehicleButton_, deleteButton_, confirmButton_, backButton_}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(customer);
    layout->addWidget(vehicle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool VehicleUpdateForm::NewVehicleMode() const {
    return newVehicleButton_->text() == CancelEntryCaption;
}

bool VehicleUpdateForm::HasCustomers() const {
    return ::HasCustomers(customerCombo_);
}

void VehicleUpdateForm::ShowFromMenu() {
    PrepareFromMenu();
    show();
}

void VehicleUpdateForm::KeepInStepWith(const VehicleSelectionState& selection) {
    {
        const QSignalBlocker block(customerCombo_);
        customerCombo_->setCurrentIndex(selection.CustomerIndex);
    }
    currentCustomer_ = selection.Customer;
    currentVehicle_ = selection.CurrentVehicle;
    vehicles_ = selection.Vehicles;
    const QSignalBlocker block(vehicleCombo_);
    vehicleCombo_->clear();
    folderTimeCombo_->clear();
    for (const VehicleEntry& vehicle : vehicles_) {
        vehicleCombo_->addItem(Q(vehicle.Number));
        folderTimeCombo_->addItem(QString::number(vehicle.Time));
    }
    vehicleCombo_->setCurrentIndex(selection.VehicleIndex);
    vehicleCombo_->setEditText(Q(selection.CurrentVehicle));
}

void VehicleUpdateForm::Reset() {
    vehicleCombo_->clear();
    vehicleCombo_->setEditText(QString());
    folderTimeCombo_->clear();
    for (QLineEdit* e : {vehicleNumberEdit_, postCode1Edit_,
                         postCode2Edit_,     phone1Edit_,
                         phone2Edit_,        phone3Edit_,
                         mobile1Edit_,       mobile2Edit_,
                         mobile3Edit_,       addressEdit_,
                         makerEdit_,         carNameEdit_,
                         typeEdit_,          firstRegistrationEdit_,
                         engineTypeEdit_,    commentEdit_,
                         bodyNumberEdit_,    managementNumberEdit_,
                         mileageEdit_,       nextInspectionEdit_}) {
        e->clear();
    }
}

void VehicleUpdateForm::DisableForNoCustomers() {
    for (QPushButton* b : {confirmButton_, deleteButton_, searchButton_, newVehicleButton_}) {
        b->setEnabled(false);
    }
}

void VehicleUpdateForm::ShowCustomer(const CustomerProfile& profile) {
    ShowContact(profile, {{phone1Edit_, phone2Edit_, phone3Edit_},
                          {mobile1Edit_, mobile2Edit_, mobile3Edit_},
                          {postCode1Edit_, postCode2Edit_},
                          addressEdit_});
}

void VehicleUpdateForm::BeforeCustomerChange() {
    SetNewVehicleMode(false);
}

void VehicleUpdateForm::AfterCustomerLoaded() {
    ApplyModeLook();
}

void VehicleUpdateForm::AfterVehiclesListed() {
    folderTimeCombo_->clear();
    for (const VehicleEntry& vehicle : vehicles_) {
        folderTimeCombo_->addItem(QString::number(vehicle.Time));
    }
}

void VehicleUpdateForm::LoadVehicle() {
    vehicleNumberEdit_->setText(Q(currentVehicle_));
    if (currentVehicle_.empty()) {
        return;
    }
    const VehicleProfile v = Reg().ReadVehicle(currentCustomer_, currentVehicle_);
    makerEdit_->setText(Q(v.Maker));
    carNameEdit_->setText(Q(v.TypeCar));
    firstRegistrationEdit_->setText(Q(v.Model));
    engineTypeEdit_->setText(Q(v.EngineType));
    commentEdit_->setText(Q(v.Comment));
    bodyNumberEdit_->setText(Q(v.BodyNumber));
    typeEdit_->setText(Q(v.Type));
    mileageEdit_->setText(Q(v.Mileage));
    nextInspectionEdit_->setText(Q(v.NextCheck));
    SelectMatchingItem(vehicleCombo_);
    managementNumberEdit_->setText(
        QString::number(vehicleCombo_->currentIndex() >= 0 ? vehicleCombo_->currentIndex() + 1 : 1));
}

void VehicleUpdateForm::ApplyModeLook() {
    const bool entry = NewVehicleMode();
    for (QPushButton* b : {confirmButton_, searchButton_, newVehicleButton_}) {
        b->setEnabled(true);
    }
    SetEnabledLook(vehicleCombo_, !entry);
    SetEnabledLook(vehicleNumberEdit_, entry);
    deleteButton_->setEnabled(!entry);
    hintLabel_->setVisible(entry);
    if (entry) {
        for (QLineEdit* e :
             {vehicleNumberEdit_, makerEdit_, carNameEdit_, typeEdit_, bodyNumberEdit_, firstRegistrationEdit_,
              engineTypeEdit_, commentEdit_, mileageEdit_, nextInspectionEdit_}) {
            e->clear();
        }
    }
}

void VehicleUpdateForm::SetNewVehicleMode(bool on) {
    newVehicleButton_->setText(on ? CancelEntryCaption : NewVehicleCaption);
    newVehicleButton_->setAccessibleName(newVehicleButton_->text());
    hintLabel_->setVisible(on);
}

void VehicleUpdateForm::ToggleNewVehicle() {
    const bool entering = !NewVehicleMode();
    SetNewVehicleMode(entering);
    if (entering) {
        managementNumberEdit_->setText(QString::number(vehicleCombo_->count() + 1));
    }
    ApplyModeLook();
    if (entering) {
        vehicleNumberEdit_->setFocus();
    } else {
        LoadVehicle();
        vehicleCombo_->setFocus();
    }
}

VehicleProfile VehicleUpdateForm::FieldValues() const {
    return {S(makerEdit_->text()),      S(carNameEdit_->text()), S(firstRegistrationEdit_->text()),
            S(engineTypeEdit_->text()), S(commentEdit_->text()), S(bodyNumberEdit_->text()),
            S(typeEdit_->text()),       S(mileageEdit_->text()), S(nextInspectionEdit_->text())};
}

bool VehicleUpdateForm::SaveVehicleSilently(const std::string& vehicleNumber, const VehicleProfile& fields) {
    // The print setup updates the vehicle it shows: never a new-vehicle registration left half typed here.
    SetNewVehicleMode(false);
    ApplyModeLook();
    vehicleNumberEdit_->setText(Q(vehicleNumber));
    makerEdit_->setText(Q(fields.Maker));
    carNameEdit_->setText(Q(fields.TypeCar));
    firstRegistrationEdit_->setText(Q(fields.Model));
    engineTypeEdit_->setText(Q(fields.EngineType));
    commentEdit_->setText(Q(fields.Comment));
    bodyNumberEdit_->setText(Q(fields.BodyNumber));
    typeEdit_->setText(Q(fields.Type));
    mileageEdit_->setText(Q(fields.Mileage));
    nextInspectionEdit_->setText(Q(fields.NextCheck));
    silentSave_ = true;
    const bool stored = Confirm();
    silentSave_ = false;
    return stored;
}

bool VehicleUpdateForm::Confirm() {
    Dialogs& dialogs = context_.Dialogs();
    if (!HasCustomers() || customerCombo_->currentIndex() < 0) {
        return false;
    }
    const Register reg = Reg();
    const std::string customer = S(customerCombo_->currentText());
    const std::string number = S(vehicleNumberEdit_->text());
    if (NewVehicleMode()) {
        if (number.empty()) {
            dialogs.Show(DialogIcon::Error, "車両番号を入力してください。");
            return false;
        }
        if (const auto problem = CheckFolderName(number)) {
            dialogs.Show(DialogIcon::Error, FolderNameMessage(*problem, VehicleLabel));
            return false;
        }
        if (IsListed(number) || reg.VehicleFolderTaken(customer, number)) {
            dialogs.Show(DialogIcon::Error, "車両番号が重複しています。新規登録できません。");
            return false;
        }
        if (!dialogs.Confirm(DialogIcon::Warning, "車両番号:" + number + "の車両情報を <<新規登録>> します。")) {
            return false;
        }
        if (!reg.CreateVehicleFolder(customer, number) || !reg.CreateVehicleFiles(customer, number)) {
            dialogs.Show(DialogIcon::Error,
                         "車両番号:" + number + "の車両フォルダを作成できません。\n登録は行われませんでした。");
            return false;
        }
    } else {
        if (vehicles_.empty()) {
            dialogs.Show(DialogIcon::Error,
                         "車両が登録されていない為、更新できません。\n\n[車両新規登録]をクリックして車両情報を入力後、"
                         "[車両情報確定]をクリックして登録処理を行って下さい。");
            return false;
        }
        if (vehicleCombo_->currentIndex() < 0) {
            dialogs.Show(DialogIcon::Error,
                         "車両が選択されていない為、更新できません。\n\n車両番号選択後、変更する項目を修正して"
                         "[車両情報確定]をクリックして更新処理を行って下さい。");
            return false;
        }
        if (silentSave_) {
            silentSave_ = false;
        } else if (!dialogs.Confirm(DialogIcon::Warning, "車両番号：" + number + "の車両情報を <<更新>> します。")) {
            return false;
        }
    }
    currentCustomer_ = customer;
    currentVehicle_ = number; // the saved vehicle becomes the customer's current vehicle
    const VehicleProfile data = FieldValues();
    if (!reg.WriteCustomerField(customer, section::CarNo, number) ||
        !reg.WriteVehicleFields(customer, number, VehicleSections(data))) {
        dialogs.Show(DialogIcon::Error, "車両番号:" + number + "の車両情報ファイルを保存できません。");
        return false;
    }
    SetNewVehicleMode(false);
    ListVehicles();
    LoadVehicle();
    ApplyModeLook();
    return true;
}

void VehicleUpdateForm::ConfirmVehicle() {
    Confirm();
}

void VehicleUpdateForm::DeleteVehicle() {
    Dialogs& dialogs = context_.Dialogs();
    if (vehicles_.empty() || currentVehicle_.empty()) {
        dialogs.Show(DialogIcon::Error, "車両情報が存在しない為、削除が実行できません。");
        return;
    }
    QString question = QString::fromUtf8(
        "車両情報　（車両番号　：　XXXXX）　を削除してよろしいですか？\n（削除すると元に戻せません）");
    question.replace("XXXXX", vehicleNumberEdit_->text());
    if (!dialogs.Confirm(DialogIcon::Warning, S(question))) {
        return;
    }
    const VehicleDeletion result = Reg().DeleteVehicle(currentCustomer_, currentVehicle_);
    if (!result.CurrentWritten) {
        dialogs.Show(DialogIcon::Error, currentCustomer_ + "様のお客様情報ファイルを保存できません。");
    }
    currentVehicle_ = result.Current;
    ListVehicles();
    if (currentVehicle_.empty()) {
        Reset();
    } else {
        LoadVehicle();
    }
}

void VehicleUpdateForm::GoBack() {
    SetNewVehicleMode(false);
    hide();
    if (menu_) {
        menu_->show();
    }
}
