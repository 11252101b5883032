#include "register/ui/CustomerForm.h"

#include "common/DashField.h"
#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "register/CustomerSave.h"
#include "register/Register.h"
#include "register/ui/CustomerSearchDialog.h"
#include "register/ui/RegisterUi.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace vanto;

namespace {
const QString NewEntryCaption = QString::fromUtf8("お客様情報新規登録");
const QString CancelEntryCaption = QString::fromUtf8(CancelEntryText);
constexpr const char* NameLabel = "お客様名";
} // namespace

CustomerForm::CustomerForm(const FormContext& context, CustomerSearchDialog* search)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context),
      search_(search) {
    setObjectName("CustomerForm");
    setWindowTitle("お客様情報");
    setFont(FixedFont(13));

    customerCombo_ = new QComboBox(this);
    SetupCombo(customerCombo_, "customerCombo", "お客様", false);
    customerCombo_->setMinimumWidth(320);
    auto edit = [this](const char* objectName, const QString& label, int maxCharacters, bool digits, int width) {
        auto* e = new QLineEdit(this);
        SetupEdit(e, objectName, label, maxCharacters, digits);
        e->setFixedWidth(width);
        return e;
    };
    const QString postal = "郵便番号", tel = "電話番号", mobile = "携帯電話";
    customerNameEdit_ = edit("customerNameEdit", NameLabel, 24, false, 320);
    postCode1Edit_ = edit("postCode1Edit", postal + "1", 0, true, 60);
    postCode2Edit_ = edit("postCode2Edit", postal + "2", 0, true, 70);
    phone1Edit_ = edit("phone1Edit", tel + "1", 18, true, 90);
    phone2Edit_ = edit("phone2Edit", tel + "2", 18, true, 90);
    phone3Edit_ = edit("phone3Edit", tel + "3", 18, true, 90);
    mobile1Edit_ = edit("mobile1Edit", mobile + "1", 18, true, 90);
    mobile2Edit_ = edit("mobile2Edit", mobile + "2", 18, true, 90);
    mobile3Edit_ = edit("mobile3Edit", mobile + "3", 18, true, 90);
    addressEdit_ = edit("addressEdit", "住所", 84, false, 520);
    currentVehicleEdit_ = new QLineEdit(this);
    currentVehicleEdit_->setObjectName("currentVehicleEdit");
    currentVehicleEdit_->hide();

    newEntryButton_ = MakeButton(this, "newEntryButton", "お客様情報新規登録");
    deleteButton_ = MakeButton(this, "deleteButton", "お客様情報削除");
    searchButton_ = MakeButton(this, "searchButton", "検　　索");
    confirmButton_ = MakeButton(this, "confirmButton", "お客様情報確定");
    backButton_ = MakeButton(this, "backButton", "戻　　る");
    hintLabel_ = MakeHintLabel(this, "（入力後 [お客様情報確定] をクリックして下さい。）");

    auto* panel = new QFrame(this);
    panel->setObjectName("fieldPanel");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(customerCombo_, 1);
    selectorRow->addWidget(searchButton_);
    grid->addWidget(MakeLabel(panel, "お客様選択"), 0, 0);
    grid->addLayout(selectorRow, 0, 1);
    grid->addWidget(MakeLabel(panel, NameLabel), 1, 0);
    grid->addWidget(customerNameEdit_, 1, 1);
    grid->addWidget(MakeLabel(panel, "郵便番号"), 2, 0);
    grid->addLayout(DashRow({postCode1Edit_, postCode2Edit_}), 2, 1);
    grid->addWidget(MakeLabel(panel, "電話番号"), 3, 0);
    grid->addLayout(DashRow({phone1Edit_, phone2Edit_, phone3Edit_}), 3, 1);
    grid->addWidget(MakeLabel(panel, "携帯電話"), 4, 0);
    grid->addLayout(DashRow({mobile1Edit_, mobile2Edit_, mobile3Edit_}), 4, 1);
    grid->addWidget(MakeLabel(panel, "住所"), 5, 0);
    grid->addWidget(addressEdit_, 5, 1);
    grid->addWidget(hintLabel_, 6, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    for (QPushButton* b : {newEntryButton_, deleteButton_, confirmButton_, backButton_}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(customerCombo_, &QComboBox::activated, this, &CustomerForm::CustomerChosen);
    connect(newEntryButton_, &QPushButton::clicked, this, &CustomerForm::ToggleNewEntry);
    connect(confirmButton_, &QPushButton::clicked, this, &CustomerForm::ConfirmCustomer);
    connect(deleteButton_, &QPushButton::clicked, this, &CustomerForm::DeleteCustomer);
    connect(searchButton_, &QPushButton::clicked, this, &CustomerForm::SearchCustomer);
    connect(backButton_, &QPushButton::clicked, this, &CustomerForm::GoBack);
    ApplyModeLook();
}

bool CustomerForm::NewEntryMode() const {
    return newEntryButton_->text() == CancelEntryCaption;
}

void CustomerForm::Prepare() {
    ClearFields();
    LoadCustomerSelector(customerCombo_, RegisterOf(context_));
}

void CustomerForm::ShowFromMenu() {
    Prepare();
    show();
}

void CustomerForm::FormShow() {
    ClearFields();
    if (customerCombo_->count() > 0 && customerCombo_->currentIndex() < 0) {
        customerCombo_->setCurrentIndex(0);
    }
    // In new-entry mode the fields stay empty for the entry; the selection is loaded when the mode ends.
    if (!NewEntryMode() && customerCombo_->currentIndex() >= 0) {
        LoadSelected();
    }
    ApplyModeLook();
    adjustSize();
    CenterOnScreen(this);
}

void CustomerForm::ClearFields() {
    for (QLineEdit* e : {customerNameEdit_, postCode1Edit_, postCode2Edit_, phone1Edit_, phone2Edit_, phone3Edit_,
                         mobile1Edit_, mobile2Edit_, mobile3Edit_, addressEdit_}) {
        e->clear();
    }
    currentVehicleEdit_->clear();
}

void CustomerForm::LoadSelected() {
    ClearFields();
    if (customerCombo_->currentIndex() >= 0) {
        const std::string name = S(customerCombo_->currentText());
        const CustomerProfile profile = RegisterOf(context_).ReadCustomer(name);
        customerNameEdit_->setText(customerCombo_->currentText());
        ShowContact(profile, {{phone1Edit_, phone2Edit_, phone3Edit_},
                              {mobile1Edit_, mobile2Edit_, mobile3Edit_},
                              {postCode1Edit_, postCode2Edit_},
                              addressEdit_});
        currentVehicleEdit_->setText(Q(profile.CarNo));
    }
    ApplyModeLook();
}

// Selection mode: the selector is on; delete and confirm need a customer. New-entry mode: the selector, the
// search and delete are off, confirm is on.
void CustomerForm::ApplyModeLook() {
    const bool entry = NewEntryMode();
    const bool customers = customerCombo_->count() > 0;
    SetEnabledLook(customerCombo_, !entry);
    hintLabel_->setVisible(entry);
    deleteButton_->setEnabled(!entry && customers);
    confirmButton_->setEnabled(entry || customers);
    searchButton_->setEnabled(!entry);
}

void CustomerForm::SetNewEntryMode(bool on) {
    newEntryButton_->setText(on ? CancelEntryCaption : NewEntryCaption);
    newEntryButton_->setAccessibleName(newEntryButton_->text());
    ApplyModeLook();
}

void CustomerForm::CustomerChosen() {
    ClearFields();
    LoadSelected();
}

void CustomerForm::ToggleNewEntry() {
    if (!NewEntryMode()) {
        SetNewEntryMode(true);
        ClearFields();
        customerNameEdit_->setFocus();
    } else {
        SetNewEntryMode(false);
        LoadSelected();
        customerCombo_->setFocus();
    }
}

CustomerProfile CustomerForm::TypedProfile() const {
    return {JoinDashFields({S(phone1Edit_->text()), S(phone2Edit_->text()), S(phone3Edit_->text())}),
            JoinDashFields({S(mobile1Edit_->text()), S(mobile2Edit_->text()), S(mobile3Edit_->text())}),
            JoinDashFields({S(postCode1Edit_->text()), S(postCode2Edit_->text())}), S(addressEdit_->text()),
            S(currentVehicleEdit_->text())};
}

void CustomerForm::ConfirmCustomer() {
    Dialogs& dialogs = context_.Dialogs();
    const std::string name = S(customerNameEdit_->text());
    if (name.empty()) {
        dialogs.Show(DialogIcon::Information, EnterCustomerNameMessage);
        return;
    }
    if (const auto problem = CheckFolderName(name)) {
        dialogs.Show(DialogIcon::Error, FolderNameMessage(*problem, NameLabel));
        return;
    }
    const Register reg = RegisterOf(context_);
    const auto list = reg.CustomerNames();
    if (!list) {
        dialogs.Show(DialogIcon::Error, "お客様リストを読み込めません。");
        return;
    }
    const int selected = customerCombo_->currentIndex();
    const std::string selectedName = S(customerCombo_->currentText());
    const CustomerSaveDecision save = DecideCustomerSave(NewEntryMode(), *list, name, selected, selectedName);
    if (save.kind == CustomerSaveKind::Duplicate) {
        dialogs.Show(DialogIcon::Information, DuplicateCustomerMessage);
        return;
    }
    if (save.kind == CustomerSaveKind::NoCustomer || !dialogs.Confirm(DialogIcon::Question, save.question)) {
        return;
    }

    if (save.kind == CustomerSaveKind::Rename) {
        switch (reg.RenameCustomer(selected, selectedName, name)) {
        case RenameResult::Done:
            break;
        case RenameResult::TargetExists:
            dialogs.Show(DialogIcon::Error,
                         "「" + name + "」のお客様フォルダが既に存在するため、お客様名を変更できません。");
            return;
        case RenameResult::FolderNotRenamed:
            dialogs.Show(DialogIcon::Error, "お客様フォルダの名前を変更できません。\n変更は行われませんでした。");
            return;
        default:
            dialogs.Show(DialogIcon::Error, "お客様リストを保存できません。\n変更は行われませんでした。");
            return;
        }
    }
    CustomerProfile profile = TypedProfile();
    if (save.kind == CustomerSaveKind::New) {
        profile.CarNo.clear();
    }
    switch (reg.SaveCustomer(name, profile)) {
    case RegisterResult::Done:
        break;
    case RegisterResult::ListUnavailable:
        // What the user typed stays in the form, so the save can be tried again.
        dialogs.Show(DialogIcon::Error, "お客様リストを保存できません。\n登録は行われませんでした。");
        return;
    default:
        dialogs.Show(DialogIcon::Error, name + "様のお客様情報ファイルを保存できません。");
        return;
    }

    if (save.kind == CustomerSaveKind::New) {
        SetNewEntryMode(false);
        LoadCustomerSelector(customerCombo_, reg);
        customerCombo_->setCurrentIndex(customerCombo_->count() - 1);
    } else if (save.kind == CustomerSaveKind::Rename) {
        LoadCustomerSelector(customerCombo_, reg);
        customerCombo_->setCurrentIndex(std::min(selected, customerCombo_->count() - 1));
    }
    LoadSelected();
}

void CustomerForm::DeleteCustomer() {
    const int selected = customerCombo_->currentIndex();
    if (selected < 0) {
        return;
    }
    Dialogs& dialogs = context_.Dialogs();
    const std::string name = S(customerCombo_->currentText());
    if (!dialogs.Confirm(DialogIcon::Question, name + " 様の削除を行います、よろしいですか？")) {
        return;
    }
    const Register reg = RegisterOf(context_);
    switch (reg.DeleteCustomer(selected, name)) {
    case DeleteResult::Done:
        break;
    case DeleteResult::BackupNotSaved:
        dialogs.Show(DialogIcon::Error, "お客様リストのバックアップを保存できません。\n削除は行われませんでした。");
        return;
    default:
        dialogs.Show(DialogIcon::Error, "お客様リストを保存できません。\n削除は行われませんでした。");
        return;
    }
    LoadCustomerSelector(customerCombo_, reg);
    if (customerCombo_->count() > 0) {
        customerCombo_->setCurrentIndex(0);
    }
    LoadSelected();
}

void CustomerForm::SearchCustomer() {
    if (!search_ || NewEntryMode()) {
        return;
    }
    if (search_->Run(false) != QDialog::Accepted) {
        return;
    }
    const int line = search_->ResultLine();
    if (line < 0 || line >= customerCombo_->count()) {
        return;
    }
    customerCombo_->setCurrentIndex(line);
    CustomerChosen();
}

void CustomerForm::GoBack() {
    hide();
    if (menu_) {
        menu_->show();
    }
}
