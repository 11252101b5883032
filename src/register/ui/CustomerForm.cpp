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

    UserNameCB = new QComboBox(this);
    SetupCombo(UserNameCB, "UserNameCB", "お客様", false);
    UserNameCB->setMinimumWidth(320);
    auto edit = [this](const char* name, const QString& label, int maxCharacters, bool digits, int width) {
        auto* e = new QLineEdit(this);
        SetupEdit(e, name, label, maxCharacters, digits);
        e->setFixedWidth(width);
        return e;
    };
    const QString postal = "郵便番号", tel = "電話番号", mobile = "携帯電話";
    Edit1 = edit("Edit1", NameLabel, 24, false, 320);
    Edit12 = edit("Edit12", postal + "1", 0, true, 60);
    Edit13 = edit("Edit13", postal + "2", 0, true, 70);
    Edit2 = edit("Edit2", tel + "1", 18, true, 90);
    Edit14 = edit("Edit14", tel + "2", 18, true, 90);
    Edit15 = edit("Edit15", tel + "3", 18, true, 90);
    Edit3 = edit("Edit3", mobile + "1", 18, true, 90);
    Edit16 = edit("Edit16", mobile + "2", 18, true, 90);
    Edit17 = edit("Edit17", mobile + "3", 18, true, 90);
    Edit4 = edit("Edit4", "住所", 84, false, 520);
    CarNo = new QLineEdit(this);
    CarNo->setObjectName("CarNo");
    CarNo->hide();

    Button2 = MakeButton(this, "Button2", "お客様情報新規登録");
    Button1 = MakeButton(this, "Button1", "お客様情報削除");
    SearchBtn = MakeButton(this, "SearchBtn", "検　　索");
    Button5 = MakeButton(this, "Button5", "お客様情報確定");
    Button3 = MakeButton(this, "Button3", "戻　　る");
    HintLabel = MakeHintLabel(this, "（入力後 [お客様情報確定] をクリックして下さい。）");

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(UserNameCB, 1);
    selectorRow->addWidget(SearchBtn);
    grid->addWidget(MakeLabel(panel, "お客様選択"), 0, 0);
    grid->addLayout(selectorRow, 0, 1);
    grid->addWidget(MakeLabel(panel, NameLabel), 1, 0);
    grid->addWidget(Edit1, 1, 1);
    grid->addWidget(MakeLabel(panel, "郵便番号"), 2, 0);
    grid->addLayout(DashRow({Edit12, Edit13}), 2, 1);
    grid->addWidget(MakeLabel(panel, "電話番号"), 3, 0);
    grid->addLayout(DashRow({Edit2, Edit14, Edit15}), 3, 1);
    grid->addWidget(MakeLabel(panel, "携帯電話"), 4, 0);
    grid->addLayout(DashRow({Edit3, Edit16, Edit17}), 4, 1);
    grid->addWidget(MakeLabel(panel, "住所"), 5, 0);
    grid->addWidget(Edit4, 5, 1);
    grid->addWidget(HintLabel, 6, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    for (QPushButton* b : {Button2, Button1, Button5, Button3}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(UserNameCB, &QComboBox::activated, this, &CustomerForm::UserNameCBChange);
    connect(Button2, &QPushButton::clicked, this, &CustomerForm::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &CustomerForm::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &CustomerForm::Button1Click);
    connect(SearchBtn, &QPushButton::clicked, this, &CustomerForm::SearchBtnClick);
    connect(Button3, &QPushButton::clicked, this, &CustomerForm::Button3Click);
    ApplyModeLook();
}

bool CustomerForm::NewEntryMode() const {
    return Button2->text() == CancelEntryCaption;
}

void CustomerForm::Prepare() {
    ClearFields();
    LoadCustomerSelector(UserNameCB, RegisterOf(context_));
}

void CustomerForm::ShowFromMenu() {
    Prepare();
    show();
}

void CustomerForm::FormShow() {
    ClearFields();
    if (UserNameCB->count() > 0 && UserNameCB->currentIndex() < 0) {
        UserNameCB->setCurrentIndex(0);
    }
    // In new-entry mode the fields stay empty for the entry; the selection is loaded when the mode ends.
    if (!NewEntryMode() && UserNameCB->currentIndex() >= 0) {
        LoadSelected();
    }
    ApplyModeLook();
    adjustSize();
    CenterOnScreen(this);
}

void CustomerForm::ClearFields() {
    for (QLineEdit* e : {Edit1, Edit12, Edit13, Edit2, Edit14, Edit15, Edit3, Edit16, Edit17, Edit4}) {
        e->clear();
    }
    CarNo->clear();
}

void CustomerForm::LoadSelected() {
    ClearFields();
    if (UserNameCB->currentIndex() >= 0) {
        const std::string name = S(UserNameCB->currentText());
        const CustomerProfile profile = RegisterOf(context_).ReadCustomer(name);
        Edit1->setText(UserNameCB->currentText());
        ShowContact(profile, {{Edit2, Edit14, Edit15}, {Edit3, Edit16, Edit17}, {Edit12, Edit13}, Edit4});
        CarNo->setText(Q(profile.CarNo));
    }
    ApplyModeLook();
}

// Selection mode: the selector is on; delete and confirm need a customer. New-entry mode: the selector, the
// search and delete are off, confirm is on.
void CustomerForm::ApplyModeLook() {
    const bool entry = NewEntryMode();
    const bool customers = UserNameCB->count() > 0;
    SetEnabledLook(UserNameCB, !entry);
    HintLabel->setVisible(entry);
    Button1->setEnabled(!entry && customers);
    Button5->setEnabled(entry || customers);
    SearchBtn->setEnabled(!entry);
}

void CustomerForm::SetNewEntryMode(bool on) {
    Button2->setText(on ? CancelEntryCaption : NewEntryCaption);
    Button2->setAccessibleName(Button2->text());
    ApplyModeLook();
}

void CustomerForm::UserNameCBChange() {
    ClearFields();
    LoadSelected();
}

void CustomerForm::Button2Click() {
    if (!NewEntryMode()) {
        SetNewEntryMode(true);
        ClearFields();
        Edit1->setFocus();
    } else {
        SetNewEntryMode(false);
        LoadSelected();
        UserNameCB->setFocus();
    }
}

CustomerProfile CustomerForm::TypedProfile() const {
    return {JoinDashFields({S(Edit2->text()), S(Edit14->text()), S(Edit15->text())}),
            JoinDashFields({S(Edit3->text()), S(Edit16->text()), S(Edit17->text())}),
            JoinDashFields({S(Edit12->text()), S(Edit13->text())}), S(Edit4->text()), S(CarNo->text())};
}

void CustomerForm::Button5Click() {
    Dialogs& dialogs = context_.Dialogs();
    const std::string name = S(Edit1->text());
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
    const int selected = UserNameCB->currentIndex();
    const std::string selectedName = S(UserNameCB->currentText());
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
        LoadCustomerSelector(UserNameCB, reg);
        UserNameCB->setCurrentIndex(UserNameCB->count() - 1);
    } else if (save.kind == CustomerSaveKind::Rename) {
        LoadCustomerSelector(UserNameCB, reg);
        UserNameCB->setCurrentIndex(std::min(selected, UserNameCB->count() - 1));
    }
    LoadSelected();
}

void CustomerForm::Button1Click() {
    const int selected = UserNameCB->currentIndex();
    if (selected < 0) {
        return;
    }
    Dialogs& dialogs = context_.Dialogs();
    const std::string name = S(UserNameCB->currentText());
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
    LoadCustomerSelector(UserNameCB, reg);
    if (UserNameCB->count() > 0) {
        UserNameCB->setCurrentIndex(0);
    }
    LoadSelected();
}

void CustomerForm::SearchBtnClick() {
    if (!search_ || NewEntryMode()) {
        return;
    }
    if (search_->Run(false) != QDialog::Accepted) {
        return;
    }
    const int line = search_->ResultLine();
    if (line < 0 || line >= UserNameCB->count()) {
        return;
    }
    UserNameCB->setCurrentIndex(line);
    UserNameCBChange();
}

void CustomerForm::Button3Click() {
    hide();
    if (menu_) {
        menu_->show();
    }
}
