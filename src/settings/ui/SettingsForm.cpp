#include "settings/ui/SettingsForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "settings/DataBackup.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace vanto;

namespace {

constexpr int FormWidth = 800;
constexpr int NameLength = 50;
constexpr int NumberLength = 18;
constexpr int TextLength = 70;

QLabel* RedLabel(QWidget* parent, const char* text) {
    QLabel* label = MakeLabel(parent, text);
    label->setStyleSheet("color: red;");
    return label;
}

} // namespace

SettingsForm::SettingsForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context),
      dictionary_(context.Paths().PhraseFile, context.Paths().ExeDir) {
    setObjectName("seting_form");
    setWindowTitle("使用者情報及び文章登録");
    setFont(FixedFont(13));

    // The workshop's details.
    GroupBox1 = new QGroupBox("使用者情報", this);
    GroupBox1->setObjectName("GroupBox1");
    auto edit = [this](const char* name, const QString& label, int maxCharacters, bool digits, int width) {
        auto* e = new QLineEdit(GroupBox1);
        SetupEdit(e, name, label, maxCharacters, digits);
        if (width > 0) {
            e->setFixedWidth(width);
        }
        return e;
    };
    const QString post = "郵便番号", tel = "電話番号", fax = "ＦＡＸ";
    user_name = edit("user_name", "会 社 名", NameLength, false, 460);
    post1 = edit("post1", post + "1", 0, true, 60);
    post2 = edit("post2", post + "2", 0, true, 70);
    tel1 = edit("tel1", tel + "1", NumberLength, true, 90);
    tel2 = edit("tel2", tel + "2", NumberLength, true, 90);
    tel3 = edit("tel3", tel + "3", NumberLength, true, 90);
    fax1 = edit("fax1", fax + "1", NumberLength, true, 90);
    fax2 = edit("fax2", fax + "2", NumberLength, true, 90);
    fax3 = edit("fax3", fax + "3", NumberLength, true, 90);
    user_Address = edit("user_Address", "住    所", TextLength, false, 620);
    user_mes1 = edit("user_mes1", "メッセージ1", TextLength, false, 0);
    user_mes2 = edit("user_mes2", "メッセージ2", TextLength, false, 0);
    user_mes1->hide();
    user_mes2->hide();
    user_set_BTN = MakeButton(GroupBox1, "user_set_BTN", "設　　定");
    user_set_BTN->setMinimumWidth(120);

    auto* userGrid = new QGridLayout(GroupBox1);
    userGrid->setContentsMargins(12, 10, 12, 10);
    userGrid->setHorizontalSpacing(10);
    userGrid->setVerticalSpacing(6);
    int row = 0;
    auto addRow = [&](const char* label, QWidget* field, QLayout* fields) {
        userGrid->addWidget(MakeLabel(GroupBox1, label), row, 0);
        if (field) {
            userGrid->addWidget(field, row, 1, Qt::AlignLeft);
        } else {
            userGrid->addLayout(fields, row, 1);
        }
        ++row;
    };
    addRow("会 社 名", user_name, nullptr);
    addRow("郵便番号", nullptr, DashRow({post1, post2}));
    addRow("電話番号", nullptr, DashRow({tel1, tel2, tel3}));
    addRow("ＦＡＸ", nullptr, DashRow({fax1, fax2, fax3}));
    addRow("住    所", user_Address, nullptr);
    auto* hints = new QVBoxLayout;
    hints->setSpacing(2);
    hints->addWidget(MakeLabel(GroupBox1, "変更が終わりましたら設定ボタンを押して下さい。"));
    hints->addWidget(RedLabel(GroupBox1, "使用者情報を変更した時は設定ボタンを押して下さい"));
    auto* saveRow = new QHBoxLayout;
    saveRow->addLayout(hints);
    saveRow->addStretch();
    saveRow->addWidget(user_set_BTN, 0, Qt::AlignBottom);
    userGrid->addLayout(saveRow, row, 0, 1, 2);

    // The phrase dictionary.
    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName("GroupBox2");
    Dictionary_list = new QListWidget(GroupBox2);
    Dictionary_list->setObjectName("Dictionary_list");
    Dictionary_list->setAccessibleName("文章リスト");
    Dictionary_Edit = new QLineEdit(GroupBox2);
    SetupEdit(Dictionary_Edit, "Dictionary_Edit", "文書エディタ", TextLength);
    Dictionary_add_BTN = MakeButton(GroupBox2, "Dictionary_add_BTN", "追加　変更");
    Dictionary_dell_BTN = MakeButton(GroupBox2, "Dictionary_dell_BTN", "削　　除");
    Button9 = MakeButton(GroupBox2, "Button9", "文章登録");
    auto* editRow = new QHBoxLayout;
    editRow->setSpacing(8);
    editRow->addWidget(Dictionary_Edit, 1);
    for (QPushButton* b : {Dictionary_add_BTN, Dictionary_dell_BTN, Button9}) {
        b->setMinimumWidth(110);
        editRow->addWidget(b);
    }
    auto* dictionaryLayout = new QVBoxLayout(GroupBox2);
    dictionaryLayout->setContentsMargins(12, 8, 12, 10);
    dictionaryLayout->setSpacing(4);
    dictionaryLayout->addWidget(RedLabel(GroupBox2, "文章の削除は文章リストから選択後、削除ボタンを押して下さい"));
    dictionaryLayout->addWidget(Dictionary_list, 1);
    dictionaryLayout->addWidget(RedLabel(GroupBox2, "文書エディタに文章を入力後、追加変更ボタンを押して下さい"));
    dictionaryLayout->addLayout(editRow);

    // The switch and the way back.
    Button8 = MakeButton(this, "Button8", DetailShowCaption);
    Button8->setMinimumWidth(160);
    Button4 = MakeButton(this, "Button4", "閉じる");
    Button4->setMinimumWidth(160);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button8);
    buttons->addStretch();
    buttons->addWidget(Button4);

    // The detailed section: backup and restore of the two data folders.
    DetailPanel = new QWidget(this);
    DetailPanel->setObjectName("DetailPanel");
    auto backupGroup = [this](const char* name, const char* title, QPushButton*& out, const char* outName,
                              QPushButton*& in, const char* inName) {
        auto* group = new QGroupBox(QString::fromUtf8(title), DetailPanel);
        group->setObjectName(name);
        out = MakeButton(group, outName, "書出し");
        in = MakeButton(group, inName, "読込み");
        auto* row = new QHBoxLayout(group);
        row->setContentsMargins(12, 8, 12, 10);
        row->setSpacing(12);
        for (QPushButton* b : {out, in}) {
            b->setMinimumSize(140, 40);
            row->addWidget(b);
        }
        return group;
    };
    GroupBox3 = backupGroup("GroupBox3", "基本情報", Button3, "Button3", Button5, "Button5");
    GroupBox4 = backupGroup("GroupBox4", "お客様情報", Button6, "Button6", Button7, "Button7");
    auto* detailRow = new QHBoxLayout(DetailPanel);
    detailRow->setContentsMargins(0, 0, 0, 0);
    detailRow->setSpacing(12);
    detailRow->addWidget(GroupBox3);
    detailRow->addWidget(GroupBox4);
    DetailPanel->setFixedHeight(DetailedFormHeight - CompactFormHeight - 10); // the layout's spacing adds 10

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(10);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2, 1);
    layout->addLayout(buttons);
    layout->addWidget(DetailPanel);
    setFixedSize(FormWidth, CompactFormHeight);
    DetailPanel->hide();

    connect(user_set_BTN, &QPushButton::clicked, this, &SettingsForm::user_set_BTNClick);
    connect(Button4, &QPushButton::clicked, this, &SettingsForm::Button4Click);
    connect(Button8, &QPushButton::clicked, this, &SettingsForm::Button8Click);
    // A click on the phrase already selected puts its text back after typing over it; the keys fill it too.
    connect(Dictionary_list, &QListWidget::currentRowChanged, this, &SettingsForm::Dictionary_listClick);
    connect(Dictionary_list, &QListWidget::itemClicked, this, &SettingsForm::Dictionary_listClick);
    connect(Dictionary_add_BTN, &QPushButton::clicked, this, &SettingsForm::Dictionary_add_BTNClick);
    connect(Dictionary_dell_BTN, &QPushButton::clicked, this, &SettingsForm::Dictionary_dell_BTNClick);
    connect(Button9, &QPushButton::clicked, this, &SettingsForm::Button9Click);
    connect(Button3, &QPushButton::clicked, this, [this] { WriteReadData(backup::WorkshopExport); });
    connect(Button5, &QPushButton::clicked, this, [this] { WriteReadData(backup::WorkshopImport); });
    connect(Button6, &QPushButton::clicked, this, [this] { WriteReadData(backup::CustomerExport); });
    connect(Button7, &QPushButton::clicked, this, [this] { WriteReadData(backup::CustomerImport); });
}

void SettingsForm::FormShow() {
    LoadUserInfo();
    SetDictionaryList();
    if (!shownBefore_) {
        // Centred as the detailed form, then switched to the compact one, which keeps that top edge.
        shownBefore_ = true;
        ApplyDetail(ToggleDetail(DetailShowCaption));
        CenterOnScreen(this);
        Button8Click();
    }
}

void SettingsForm::LoadUserInfo() {
    const UserInfo info = ReadUserInfo(context_.Paths().UserInfoFile);
    user_name->setText(Q(info.Name));
    post1->setText(Q(info.Post[0]));
    post2->setText(Q(info.Post[1]));
    const std::array<QLineEdit*, 3> tels{tel1, tel2, tel3};
    const std::array<QLineEdit*, 3> faxes{fax1, fax2, fax3};
    for (std::size_t i = 0; i < 3; ++i) {
        tels[i]->setText(Q(info.Tel[i]));
        faxes[i]->setText(Q(info.Fax[i]));
    }
    user_Address->setText(Q(info.Address));
    user_mes1->setText(Q(info.Mes1));
    user_mes2->setText(Q(info.Mes2));
}

UserInfo SettingsForm::TypedUserInfo() const {
    return {S(user_name->text()),
            {S(post1->text()), S(post2->text())},
            {S(tel1->text()), S(tel2->text()), S(tel3->text())},
            {S(fax1->text()), S(fax2->text()), S(fax3->text())},
            S(user_Address->text()),
            S(user_mes1->text()),
            S(user_mes2->text())};
}

void SettingsForm::user_set_BTNClick() {
    Dialogs& dialogs = context_.Dialogs();
    if (!dialogs.Confirm(DialogIcon::Question, UserInfoSaveQuestion)) {
        return;
    }
    const UserInfoSaveResult result = SaveUserInfo(context_.Paths().UserInfoFile, TypedUserInfo());
    if (result != UserInfoSaveResult::Done) {
        dialogs.Show(DialogIcon::Error, UserInfoSaveMessage(result));
    }
}

void SettingsForm::Button4Click() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}

void SettingsForm::ApplyDetail(const DetailState& state) {
    Button8->setText(Q(state.Caption));
    Button8->setAccessibleName(Button8->text());
    DetailPanel->setVisible(state.Visible);
    setFixedHeight(state.Height);
}

void SettingsForm::Button8Click() {
    ApplyDetail(ToggleDetail(S(Button8->text())));
}

void SettingsForm::SetDictionaryList() {
    dictionary_ = PhraseDictionary(context_.Paths().PhraseFile, context_.Paths().ExeDir);
    dictionary_.Load();
    Dictionary_Edit->clear();
    GroupBox2->setTitle(Q(dictionary_.Caption()));
    const bool editable = dictionary_.HasFile();
    Dictionary_add_BTN->setEnabled(editable);
    Dictionary_dell_BTN->setEnabled(editable);
    SetEnabledLook(Dictionary_Edit, editable);
    ShowPhrases();
}

// The list as the dictionary holds it, nothing selected.
void SettingsForm::ShowPhrases() {
    const QSignalBlocker block(Dictionary_list);
    Dictionary_list->clear();
    Dictionary_list->addItems(ToQStringList(dictionary_.Phrases()));
    Dictionary_list->setCurrentRow(-1);
}

void SettingsForm::Dictionary_listClick() {
    if (QListWidgetItem* item = Dictionary_list->currentItem()) {
        Dictionary_Edit->setText(item->text());
    }
}

void SettingsForm::Dictionary_dell_BTNClick() {
    const int row = Dictionary_list->currentRow();
    if (row < 0 || !Dictionary_list->currentItem()->isSelected()) {
        return;
    }
    Dialogs& dialogs = context_.Dialogs();
    if (!dialogs.Confirm(DialogIcon::Question, DeletePhraseQuestion(S(Dictionary_list->item(row)->text())))) {
        return;
    }
    const PhraseResult result = dictionary_.Delete(row);
    if (result != PhraseResult::Done) {
        dialogs.Show(DialogIcon::Error, PhraseMessage(result));
        return;
    }
    ShowPhrases();
    Dictionary_Edit->clear();
}

void SettingsForm::Dictionary_add_BTNClick() {
    Dialogs& dialogs = context_.Dialogs();
    const std::string text = S(Dictionary_Edit->text());
    const int row = Dictionary_list->currentRow();
    const bool change = row >= 0 && Dictionary_list->currentItem()->isSelected();
    if (!change && text.empty()) {
        return;
    }
    const std::string question =
        change ? ChangePhraseQuestion(S(Dictionary_list->item(row)->text()), text) : AddPhraseQuestion(text);
    if (!dialogs.Confirm(DialogIcon::Question, question)) {
        return;
    }
    const PhraseResult result = change ? dictionary_.Change(row, text) : dictionary_.Add(text);
    if (result != PhraseResult::Done) {
        if (const std::string message = PhraseMessage(result); !message.empty()) {
            dialogs.Show(DialogIcon::Error, message);
        }
        return;
    }
    ShowPhrases();
    if (!change) {
        Dictionary_Edit->clear();
        Dictionary_Edit->setFocus();
    }
}

void SettingsForm::Button9Click() {
    const WorkingPaths& paths = context_.Paths();
    const std::optional<std::string> chosen =
        context_.Dialogs().OpenFile(PhraseFileDialogOptions(paths.PhraseFile, paths.OwnerDir, paths.DocumentFolder));
    if (!chosen) {
        return;
    }
    // The choice is taken only once VANTO_DATA.ini records it, so the next start edits the same file.
    if (!WritePhraseFileSetting(paths.ExeDir, *chosen)) {
        context_.Dialogs().Show(DialogIcon::Error, PhraseFileNotRecordedMessage());
        return;
    }
    context_.State().Paths.PhraseFile = *chosen;
    SetDictionaryList();
}

void SettingsForm::WriteReadData(int code) {
    const WorkingPaths& paths = context_.Paths();
    Dialogs& dialogs = context_.Dialogs();
    const BackupFolders folders{paths.OwnerDir, paths.UsersDir, paths.ExeDir};
    if (const auto refused = RefusalBeforeChoosing(folders, code)) {
        dialogs.Message(refused->Icon, refused->Message, DialogButtons::Ok);
        return;
    }
    const std::optional<std::string> picked =
        dialogs.BrowseFolder(ChooseFolderFor(code, paths.OwnerDir, paths.UsersDir));
    if (!picked) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const BackupResult result = vanto::WriteReadData(folders, code, *picked);
    QApplication::restoreOverrideCursor();
    QApplication::processEvents();
    dialogs.Message(result.Icon, result.Message, DialogButtons::Ok);
    QApplication::processEvents();
    if (result.Outcome != BackupOutcome::Refused && ReloadsSettings(code)) {
        LoadUserInfo();
        SetDictionaryList();
    }
}
