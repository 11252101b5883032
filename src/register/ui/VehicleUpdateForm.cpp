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
    setObjectName("CarInfoUpdateForm");
    setWindowTitle("車両情報");
    setFont(FixedFont(13));

    customerCombo_ = new QComboBox(this);
    SetupCombo(customerCombo_, "UserNameCB", "お客様名", false);
    customerCombo_->setMinimumWidth(300);
    searchButton_ = MakeButton(this, "SearchBtn", "検　　索");
    const QString postal = "郵便番号", tel = "電話番号", mobile = "携帯電話";
    Zip1 = MakeDisplayField(this, "Zip1", postal + "1");
    Zip2 = MakeDisplayField(this, "Zip2", postal + "2");
    Phon1 = MakeDisplayField(this, "Phon1", tel + "1");
    Phon2 = MakeDisplayField(this, "Phon2", tel + "2");
    Phon3 = MakeDisplayField(this, "Phon3", tel + "3");
    Mobile1 = MakeDisplayField(this, "Mobile1", mobile + "1");
    Mobile2 = MakeDisplayField(this, "Mobile2", mobile + "2");
    Mobile3 = MakeDisplayField(this, "Mobile3", mobile + "3");
    Add = MakeDisplayField(this, "Add", "住所", 74);
    for (QLineEdit* e : {Zip1, Zip2}) {
        e->setFixedWidth(70);
    }
    for (QLineEdit* e : {Phon1, Phon2, Phon3, Mobile1, Mobile2, Mobile3}) {
        e->setFixedWidth(90);
    }

    vehicleCombo_ = new QComboBox(this);
    SetupCombo(vehicleCombo_, "CarNoCB", VehicleLabel, true);
    vehicleCombo_->setMinimumWidth(220);
    auto edit = [this](const char* name, const char* label, int maxCharacters) {
        auto* e = new QLineEdit(this);
        SetupEdit(e, name, QString::fromUtf8(label), maxCharacters);
        return e;
    };
    CarNo = edit("CarNo", "新規車両番号", 0);
    Number = MakeDisplayField(this, "Number", "管理番号");
    Number->setFixedWidth(60);
    Maker = edit("Maker", "メーカー", 20);
    CarName = edit("CarName", "車種名", 20);
    Model = edit("Model", "初年度登録年月", 20);
    BodyNo = edit("BodyNo", "車台番号", 20);
    CarForm = edit("CarForm", "型式", 20);
    EngType = edit("EngType", "エンジン形式", 20);
    Comment = edit("Comment", "コメント", 74);
    Mileage = edit("Mileage", "走行距離", 0);
    NextCheck = edit("NextCheck", "次回車検日", 0);
    Mileage->hide();
    NextCheck->hide();
    folderTimeCombo_ = new QComboBox(this);
    folderTimeCombo_->setObjectName("CarNoTimeCB");
    folderTimeCombo_->hide();

    newVehicleButton_ = MakeButton(this, "InsertBtn", "車両新規登録");
    deleteButton_ = MakeButton(this, "DeleteBtn", "車両削除");
    confirmButton_ = MakeButton(this, "DecBtn", "車両情報確定");
    backButton_ = MakeButton(this, "RtnBtn", "戻　　る");
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
    auto* cg = new QGridLayout(customer);
    cg->setContentsMargins(12, 12, 12, 12);
    cg->setHorizontalSpacing(10);
    cg->setVerticalSpacing(8);
    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(customerCombo_, 1);
    selectorRow->addWidget(searchButton_);
    cg->addWidget(MakeLabel(customer, "お客様名"), 0, 0);
    cg->addLayout(selectorRow, 0, 1);
    cg->addWidget(MakeLabel(customer, "郵便番号"), 1, 0);
    cg->addLayout(DashRow({Zip1, Zip2}), 1, 1);
    cg->addWidget(MakeLabel(customer, "電話番号"), 2, 0);
    cg->addLayout(DashRow({Phon1, Phon2, Phon3}), 2, 1);
    cg->addWidget(MakeLabel(customer, "携帯電話"), 3, 0);
    cg->addLayout(DashRow({Mobile1, Mobile2, Mobile3}), 3, 1);
    cg->addWidget(MakeLabel(customer, "住所"), 4, 0);
    cg->addWidget(Add, 4, 1);

    auto* vehicle = new QGroupBox("車両情報", this);
    auto* vg = new QGridLayout(vehicle);
    vg->setContentsMargins(12, 12, 12, 12);
    vg->setHorizontalSpacing(10);
    vg->setVerticalSpacing(8);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(vehicleCombo_, 1);
    numberRow->addSpacing(16);
    numberRow->addWidget(MakeLabel(vehicle, "管理番号"));
    numberRow->addWidget(Number);
    vg->addWidget(MakeLabel(vehicle, VehicleLabel), 0, 0);
    vg->addLayout(numberRow, 0, 1, 1, 3);
    vg->addWidget(MakeLabel(vehicle, "新規車両番号"), 1, 0);
    vg->addWidget(CarNo, 1, 1, 1, 3);
    const std::pair<const char*, QLineEdit*> pairs[] = {{"メーカー", Maker},       {"車種名", CarName},
                                                        {"初年度登録年月", Model}, {"車台番号", BodyNo},
                                                        {"型式", CarForm},         {"エンジン形式", EngType}};
    int row = 2;
    for (std::size_t i = 0; i < std::size(pairs); i += 2, ++row) {
        vg->addWidget(MakeLabel(vehicle, pairs[i].first), row, 0);
        vg->addWidget(pairs[i].second, row, 1);
        vg->addWidget(MakeLabel(vehicle, pairs[i + 1].first), row, 2);
        vg->addWidget(pairs[i + 1].second, row, 3);
    }
    vg->addWidget(MakeLabel(vehicle, "コメント"), row, 0);
    vg->addWidget(Comment, row, 1, 1, 3);
    vg->addWidget(hintLabel_, row + 1, 1, 1, 3);

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
    for (QLineEdit* e : {CarNo, Zip1,    Zip2,    Phon1, Phon2,   Phon3,   Mobile1, Mobile2, Mobile3, Add,
                         Maker, CarName, CarForm, Model, EngType, Comment, BodyNo,  Number,  Mileage, NextCheck}) {
        e->clear();
    }
}

void VehicleUpdateForm::DisableForNoCustomers() {
    for (QPushButton* b : {confirmButton_, deleteButton_, searchButton_, newVehicleButton_}) {
        b->setEnabled(false);
    }
}

void VehicleUpdateForm::ShowCustomer(const CustomerProfile& profile) {
    ShowContact(profile, {{Phon1, Phon2, Phon3}, {Mobile1, Mobile2, Mobile3}, {Zip1, Zip2}, Add});
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
    CarNo->setText(Q(currentVehicle_));
    if (currentVehicle_.empty()) {
        return;
    }
    const VehicleProfile v = Reg().ReadVehicle(currentCustomer_, currentVehicle_);
    Maker->setText(Q(v.Maker));
    CarName->setText(Q(v.TypeCar));
    Model->setText(Q(v.Model));
    EngType->setText(Q(v.EngineType));
    Comment->setText(Q(v.Comment));
    BodyNo->setText(Q(v.BodyNumber));
    CarForm->setText(Q(v.Type));
    Mileage->setText(Q(v.Mileage));
    NextCheck->setText(Q(v.NextCheck));
    SelectMatchingItem(vehicleCombo_);
    Number->setText(QString::number(vehicleCombo_->currentIndex() >= 0 ? vehicleCombo_->currentIndex() + 1 : 1));
}

void VehicleUpdateForm::ApplyModeLook() {
    const bool entry = NewVehicleMode();
    for (QPushButton* b : {confirmButton_, searchButton_, newVehicleButton_}) {
        b->setEnabled(true);
    }
    SetEnabledLook(vehicleCombo_, !entry);
    SetEnabledLook(CarNo, entry);
    deleteButton_->setEnabled(!entry);
    hintLabel_->setVisible(entry);
    if (entry) {
        for (QLineEdit* e : {CarNo, Maker, CarName, CarForm, BodyNo, Model, EngType, Comment, Mileage, NextCheck}) {
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
        Number->setText(QString::number(vehicleCombo_->count() + 1));
    }
    ApplyModeLook();
    if (entering) {
        CarNo->setFocus();
    } else {
        LoadVehicle();
        vehicleCombo_->setFocus();
    }
}

VehicleProfile VehicleUpdateForm::FieldValues() const {
    return {S(Maker->text()),  S(CarName->text()), S(Model->text()),   S(EngType->text()),  S(Comment->text()),
            S(BodyNo->text()), S(CarForm->text()), S(Mileage->text()), S(NextCheck->text())};
}

bool VehicleUpdateForm::SaveVehicleSilently(const std::string& vehicleNumber, const VehicleProfile& fields) {
    // The print setup updates the vehicle it shows: never a new-vehicle registration left half typed here.
    SetNewVehicleMode(false);
    ApplyModeLook();
    CarNo->setText(Q(vehicleNumber));
    Maker->setText(Q(fields.Maker));
    CarName->setText(Q(fields.TypeCar));
    Model->setText(Q(fields.Model));
    EngType->setText(Q(fields.EngineType));
    Comment->setText(Q(fields.Comment));
    BodyNo->setText(Q(fields.BodyNumber));
    CarForm->setText(Q(fields.Type));
    Mileage->setText(Q(fields.Mileage));
    NextCheck->setText(Q(fields.NextCheck));
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
    const std::string number = S(CarNo->text());
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
    question.replace("XXXXX", CarNo->text());
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
