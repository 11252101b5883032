#include "register/ui/Customer.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "common/ui/Forms.h"
#include "monitor/ui/Touroku.h"
#include "register/Register.h"
#include "register/ui/RegisterUi.h"
#include "register/ui/Searchcustomer.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

using namespace vanto;

namespace {
const QString NewEntryCaption = QString::fromUtf8("お客様情報新規登録");
const QString CancelEntryCaption = QString::fromUtf8("登録取消");
constexpr const char* NameLabel = "お客様名";
constexpr const char* DuplicateMessage = "同じお客様名が存在しています。\n違うお客様名を入力して下さい。";
} // namespace

TCustomerForm::TCustomerForm() : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("CustomerForm");
    setWindowTitle("お客様情報");
    setFont(FixedFont(13));
    Forms().CustomerForm = this;

    UserNameCB = new QComboBox(this);
    SetupCombo(UserNameCB, "UserNameCB", "お客様", false);
    UserNameCB->setMinimumWidth(320);
    auto edit = [this](const char* name, const QString& label, int maxLength, bool digits, int width) {
        auto* e = new QLineEdit(this);
        SetupEdit(e, name, label, maxLength, digits);
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

    connect(UserNameCB, &QComboBox::activated, this, &TCustomerForm::UserNameCBChange);
    connect(Button2, &QPushButton::clicked, this, &TCustomerForm::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TCustomerForm::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &TCustomerForm::Button1Click);
    connect(SearchBtn, &QPushButton::clicked, this, &TCustomerForm::SearchBtnClick);
    connect(Button3, &QPushButton::clicked, this, &TCustomerForm::Button3Click);
    ApplyModeLook();
}

TCustomerForm::~TCustomerForm() {
    if (Forms().CustomerForm == this) {
        Forms().CustomerForm = nullptr;
    }
}

bool TCustomerForm::NewEntryMode() const {
    return Button2->text() == CancelEntryCaption;
}

void TCustomerForm::Prepare() {
    ClearFields();
    LoadCustomerSelector(UserNameCB);
}

void TCustomerForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TCustomerForm::FormShow() {
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

void TCustomerForm::ClearFields() {
    for (QLineEdit* e : {Edit1, Edit12, Edit13, Edit2, Edit14, Edit15, Edit3, Edit16, Edit17, Edit4}) {
        e->clear();
    }
    CarNo->clear();
}

void TCustomerForm::LoadSelected() {
    ClearFields();
    if (UserNameCB->currentIndex() >= 0) {
        const std::string name = S(UserNameCB->currentText());
        const CustomerProfile profile = MainRegister().ReadCustomer(name);
        Edit1->setText(UserNameCB->currentText());
        ShowContact(profile, {{Edit2, Edit14, Edit15}, {Edit3, Edit16, Edit17}, {Edit12, Edit13}, Edit4});
        CarNo->setText(Q(profile.CarNo));
    }
    ApplyModeLook();
}

// Selection mode: the selector is on; delete and confirm need a customer. New-entry mode: the selector, the
// search and delete are off, confirm is on.
void TCustomerForm::ApplyModeLook() {
    const bool entry = NewEntryMode();
    const bool customers = UserNameCB->count() > 0;
    SetEnabledLook(UserNameCB, !entry);
    HintLabel->setVisible(entry);
    Button1->setEnabled(!entry && customers);
    Button5->setEnabled(entry || customers);
    SearchBtn->setEnabled(!entry);
}

void TCustomerForm::SetNewEntryMode(bool on) {
    Button2->setText(on ? CancelEntryCaption : NewEntryCaption);
    Button2->setAccessibleName(Button2->text());
    ApplyModeLook();
}

void TCustomerForm::UserNameCBChange() {
    ClearFields();
    LoadSelected();
}

void TCustomerForm::Button2Click() {
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

void TCustomerForm::Button5Click() {
    Dialogs& dialogs = MainDialogs();
    const std::string name = S(Edit1->text());
    if (name.empty()) {
        dialogs.Show(DialogIcon::Information, "お客様名を入力してください。");
        return;
    }
    if (const auto problem = CheckFolderName(name)) {
        dialogs.Show(DialogIcon::Error, FolderNameMessage(*problem, NameLabel));
        return;
    }
    const Register reg = MainRegister();
    const auto list = reg.CustomerNames();
    if (!list) {
        dialogs.Show(DialogIcon::Error, "お客様リストを読み込めません。");
        return;
    }
    const auto equal = std::find(list->begin(), list->end(), name);
    const int equalLine = equal == list->end() ? -1 : static_cast<int>(equal - list->begin());
    const int selected = UserNameCB->currentIndex();
    const std::string selectedName = S(UserNameCB->currentText());
    enum class Save { New, Update, Rename } save = Save::New;
    if (NewEntryMode()) {
        if (equalLine >= 0) {
            dialogs.Show(DialogIcon::Information, DuplicateMessage);
            return;
        }
        if (!dialogs.Confirm(DialogIcon::Question, name + "様の <<新規登録>> を行います、よろしいですか？")) {
            return;
        }
    } else if (equalLine >= 0) {
        if (equalLine != selected) {
            dialogs.Show(DialogIcon::Information, DuplicateMessage);
            return;
        }
        if (!dialogs.Confirm(DialogIcon::Question, name + "様の <<更新>> を行います、よろしいですか？")) {
            return;
        }
        save = Save::Update;
    } else {
        if (selected < 0) {
            return;
        }
        if (!dialogs.Confirm(DialogIcon::Question,
                             name + "様（[旧]" + selectedName + "様）の <<更新>> を行います、よろしいですか？")) {
            return;
        }
        save = Save::Rename;
    }

    if (save == Save::Rename) {
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
    reg.CreateCustomerFolders(name, "");
    const RegisterResult registered = reg.RegisterCustomer(name, "");
    if (registered == RegisterResult::ListUnavailable) {
        dialogs.Show(DialogIcon::Error, "お客様リストを保存できません。\n登録は行われませんでした。");
        return;
    }
    const bool written =
        registered == RegisterResult::Done &&
        reg.WriteCustomerFields(name, {{section::Tel, S(Edit2->text() + "-" + Edit14->text() + "-" + Edit15->text())},
                                       {section::Handy, S(Edit3->text() + "-" + Edit16->text() + "-" + Edit17->text())},
                                       {section::PostNo, S(Edit12->text() + "-" + Edit13->text())},
                                       {section::Address, S(Edit4->text())},
                                       {section::CarNo, save == Save::New ? std::string() : S(CarNo->text())}});
    if (!written) {
        dialogs.Show(DialogIcon::Error, name + "様のお客様情報ファイルを保存できません。");
    }

    if (save == Save::New) {
        SetNewEntryMode(false);
        LoadCustomerSelector(UserNameCB);
        UserNameCB->setCurrentIndex(UserNameCB->count() - 1);
    } else if (save == Save::Rename) {
        LoadCustomerSelector(UserNameCB);
        UserNameCB->setCurrentIndex(std::min(selected, UserNameCB->count() - 1));
    }
    LoadSelected();
}

void TCustomerForm::Button1Click() {
    const int selected = UserNameCB->currentIndex();
    if (selected < 0) {
        return;
    }
    Dialogs& dialogs = MainDialogs();
    const std::string name = S(UserNameCB->currentText());
    if (!dialogs.Confirm(DialogIcon::Question, name + " 様の削除を行います、よろしいですか？")) {
        return;
    }
    switch (MainRegister().DeleteCustomer(selected, name)) {
    case DeleteResult::Done:
        break;
    case DeleteResult::BackupNotSaved:
        dialogs.Show(DialogIcon::Error, "お客様リストのバックアップを保存できません。\n削除は行われませんでした。");
        return;
    default:
        dialogs.Show(DialogIcon::Error, "お客様リストを保存できません。\n削除は行われませんでした。");
        return;
    }
    LoadCustomerSelector(UserNameCB);
    if (UserNameCB->count() > 0) {
        UserNameCB->setCurrentIndex(0);
    }
    LoadSelected();
}

void TCustomerForm::SearchBtnClick() {
    TSearchCustomerForm* search = Forms().SearchCustomerForm;
    if (!search || NewEntryMode()) {
        return;
    }
    search->IncludeVehicles = false;
    if (search->exec() != QDialog::Accepted) {
        return;
    }
    const int line = search->ResultLine();
    if (line < 0 || line >= UserNameCB->count()) {
        return;
    }
    UserNameCB->setCurrentIndex(line);
    UserNameCBChange();
}

void TCustomerForm::Button3Click() {
    hide();
    if (TTourokuForm* menu = Forms().TourokuForm) {
        menu->show();
    }
}
