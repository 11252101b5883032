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
    setObjectName("SettingsForm");
    setWindowTitle("使用者情報及び文章登録");
    setFont(FixedFont(13));

    // The workshop's details.
    workshopBox_ = new QGroupBox("使用者情報", this);
    workshopBox_->setObjectName("workshopBox");
    auto edit = [this](const char* name, const QString& label, int maxCharacters, bool digits, int width) {
        auto* e = new QLineEdit(workshopBox_);
        SetupEdit(e, name, label, maxCharacters, digits);
        if (width > 0) {
            e->setFixedWidth(width);
        }
        return e;
    };
    const QString post = "郵便番号", tel = "電話番号", fax = "ＦＡＸ";
    workshopNameEdit_ = edit("workshopNameEdit", "会 社 名", NameLength, false, 460);
    postCode1Edit_ = edit("postCode1Edit", post + "1", 0, true, 60);
    postCode2Edit_ = edit("postCode2Edit", post + "2", 0, true, 70);
    phone1Edit_ = edit("phone1Edit", tel + "1", NumberLength, true, 90);
    phone2Edit_ = edit("phone2Edit", tel + "2", NumberLength, true, 90);
    phone3Edit_ = edit("phone3Edit", tel + "3", NumberLength, true, 90);
    fax1Edit_ = edit("fax1Edit", fax + "1", NumberLength, true, 90);
    fax2Edit_ = edit("fax2Edit", fax + "2", NumberLength, true, 90);
    fax3Edit_ = edit("fax3Edit", fax + "3", NumberLength, true, 90);
    addressEdit_ = edit("addressEdit", "住    所", TextLength, false, 620);
    message1Edit_ = edit("message1Edit", "メッセージ1", TextLength, false, 0);
    message2Edit_ = edit("message2Edit", "メッセージ2", TextLength, false, 0);
    message1Edit_->hide();
    message2Edit_->hide();
    saveWorkshopButton_ = MakeButton(workshopBox_, "saveWorkshopButton", "設　　定");
    saveWorkshopButton_->setMinimumWidth(120);

    auto* userGrid = new QGridLayout(workshopBox_);
    userGrid->setContentsMargins(12, 10, 12, 10);
    userGrid->setHorizontalSpacing(10);
    userGrid->setVerticalSpacing(6);
    int row = 0;
    auto addRow = [&](const char* label, QWidget* field, QLayout* fields) {
        userGrid->addWidget(MakeLabel(workshopBox_, label), row, 0);
        if (field) {
            userGrid->addWidget(field, row, 1, Qt::AlignLeft);
        } else {
            userGrid->addLayout(fields, row, 1);
        }
        ++row;
    };
    addRow("会 社 名", workshopNameEdit_, nullptr);
    addRow("郵便番号", nullptr, DashRow({postCode1Edit_, postCode2Edit_}));
    addRow("電話番号", nullptr, DashRow({phone1Edit_, phone2Edit_, phone3Edit_}));
    addRow("ＦＡＸ", nullptr, DashRow({fax1Edit_, fax2Edit_, fax3Edit_}));
    addRow("住    所", addressEdit_, nullptr);
    auto* hints = new QVBoxLayout;
    hints->setSpacing(2);
    hints->addWidget(MakeLabel(workshopBox_, "変更が終わりましたら設定ボタンを押して下さい。"));
    hints->addWidget(RedLabel(workshopBox_, "使用者情報を変更した時は設定ボタンを押して下さい"));
    auto* saveRow = new QHBoxLayout;
    saveRow->addLayout(hints);
    saveRow->addStretch();
    saveRow->addWidget(saveWorkshopButton_, 0, Qt::AlignBottom);
    userGrid->addLayout(saveRow, row, 0, 1, 2);

    // The phrase dictionary.
    dictionaryBox_ = new QGroupBox(this);
    dictionaryBox_->setObjectName("dictionaryBox");
    phraseList_ = new QListWidget(dictionaryBox_);
    phraseList_->setObjectName("phraseList");
    phraseList_->setAccessibleName("文章リスト");
    phraseEdit_ = new QLineEdit(dictionaryBox_);
    SetupEdit(phraseEdit_, "phraseEdit", "文書エディタ", TextLength);
    addPhraseButton_ = MakeButton(dictionaryBox_, "addPhraseButton", "追加　変更");
    deletePhraseButton_ = MakeButton(dictionaryBox_, "deletePhraseButton", "削　　除");
    chooseDictionaryButton_ = MakeButton(dictionaryBox_, "chooseDictionaryButton", "文章登録");
    auto* editRow = new QHBoxLayout;
    editRow->setSpacing(8);
    editRow->addWidget(phraseEdit_, 1);
    for (QPushButton* b : {addPhraseButton_, deletePhraseButton_, chooseDictionaryButton_}) {
        b->setMinimumWidth(110);
        editRow->addWidget(b);
    }
    auto* dictionaryLayout = new QVBoxLayout(dictionaryBox_);
    dictionaryLayout->setContentsMargins(12, 8, 12, 10);
    dictionaryLayout->setSpacing(4);
    dictionaryLayout->addWidget(RedLabel(dictionaryBox_, "文章の削除は文章リストから選択後、削除ボタンを押して下さい"));
    dictionaryLayout->addWidget(phraseList_, 1);
    dictionaryLayout->addWidget(RedLabel(dictionaryBox_, "文書エディタに文章を入力後、追加変更ボタンを押して下さい"));
    dictionaryLayout->addLayout(editRow);

    // The switch and the way back.
    detailButton_ = MakeButton(this, "detailButton", DetailShowCaption);
    detailButton_->setMinimumWidth(160);
    closeButton_ = MakeButton(this, "closeButton", "閉じる");
    closeButton_->setMinimumWidth(160);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(detailButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton_);

    // The detailed section: backup and restore of the two data folders.
    detailPanel_ = new QWidget(this);
    detailPanel_->setObjectName("detailPanel");
    auto backupGroup = [this](const char* name, const char* title, QPushButton*& out, const char* outName,
                              QPushButton*& in, const char* inName) {
        auto* group = new QGroupBox(QString::fromUtf8(title), detailPanel_);
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
    workshopBackupBox_ = backupGroup("workshopBackupBox", "基本情報", workshopExportButton_, "workshopExportButton",
                                     workshopImportButton_, "workshopImportButton");
    customerBackupBox_ = backupGroup("customerBackupBox", "お客様情報", customerExportButton_, "customerExportButton",
                                     customerImportButton_, "customerImportButton");
    auto* detailRow = new QHBoxLayout(detailPanel_);
    detailRow->setContentsMargins(0, 0, 0, 0);
    detailRow->setSpacing(12);
    detailRow->addWidget(workshopBackupBox_);
    detailRow->addWidget(customerBackupBox_);
    detailPanel_->setFixedHeight(DetailedFormHeight - CompactFormHeight - 10); // the layout's spacing adds 10

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(10);
    layout->addWidget(workshopBox_);
    layout->addWidget(dictionaryBox_, 1);
    layout->addLayout(buttons);
    layout->addWidget(detailPanel_);
    setFixedSize(FormWidth, CompactFormHeight);
    detailPanel_->hide();

    connect(saveWorkshopButton_, &QPushButton::clicked, this, &SettingsForm::SaveWorkshopDetails);
    connect(closeButton_, &QPushButton::clicked, this, &SettingsForm::CloseForm);
    connect(detailButton_, &QPushButton::clicked, this, &SettingsForm::ToggleDetails);
    // A click on the phrase already selected puts its text back after typing over it; the keys fill it too.
    connect(phraseList_, &QListWidget::currentRowChanged, this, &SettingsForm::PhraseChosen);
    connect(phraseList_, &QListWidget::itemClicked, this, &SettingsForm::PhraseChosen);
    connect(addPhraseButton_, &QPushButton::clicked, this, &SettingsForm::AddOrChangePhrase);
    connect(deletePhraseButton_, &QPushButton::clicked, this, &SettingsForm::DeletePhrase);
    connect(chooseDictionaryButton_, &QPushButton::clicked, this, &SettingsForm::ChooseDictionaryFile);
    connect(workshopExportButton_, &QPushButton::clicked, this, [this] { WriteReadData(backup::WorkshopExport); });
    connect(workshopImportButton_, &QPushButton::clicked, this, [this] { WriteReadData(backup::WorkshopImport); });
    connect(customerExportButton_, &QPushButton::clicked, this, [this] { WriteReadData(backup::CustomerExport); });
    connect(customerImportButton_, &QPushButton::clicked, this, [this] { WriteReadData(backup::CustomerImport); });
}

void SettingsForm::FormShow() {
    LoadUserInfo();
    SetDictionaryList();
    if (!shownBefore_) {
        // Centred as the detailed form, then switched to the compact one, which keeps that top edge.
        shownBefore_ = true;
        ApplyDetail(ToggleDetail(DetailShowCaption));
        CenterOnScreen(this);
        ToggleDetails();
    }
}

void SettingsForm::LoadUserInfo() {
    const UserInfo info = ReadUserInfo(context_.Paths().UserInfoFile);
    workshopNameEdit_->setText(Q(info.Name));
    postCode1Edit_->setText(Q(info.Post[0]));
    postCode2Edit_->setText(Q(info.Post[1]));
    const std::array<QLineEdit*, 3> tels{phone1Edit_, phone2Edit_, phone3Edit_};
    const std::array<QLineEdit*, 3> faxes{fax1Edit_, fax2Edit_, fax3Edit_};
    for (std::size_t i = 0; i < 3; ++i) {
        tels[i]->setText(Q(info.Tel[i]));
        faxes[i]->setText(Q(info.Fax[i]));
    }
    addressEdit_->setText(Q(info.Address));
    message1Edit_->setText(Q(info.Mes1));
    message2Edit_->setText(Q(info.Mes2));
}

UserInfo SettingsForm::TypedUserInfo() const {
    return {S(workshopNameEdit_->text()),
            {S(postCode1Edit_->text()), S(postCode2Edit_->text())},
            {S(phone1Edit_->text()), S(phone2Edit_->text()), S(phone3Edit_->text())},
            {S(fax1Edit_->text()), S(fax2Edit_->text()), S(fax3Edit_->text())},
            S(addressEdit_->text()),
            S(message1Edit_->text()),
            S(message2Edit_->text())};
}

void SettingsForm::SaveWorkshopDetails() {
    Dialogs& dialogs = context_.Dialogs();
    if (!dialogs.Confirm(DialogIcon::Question, UserInfoSaveQuestion)) {
        return;
    }
    const UserInfoSaveResult result = SaveUserInfo(context_.Paths().UserInfoFile, TypedUserInfo());
    if (result != UserInfoSaveResult::Done) {
        dialogs.Show(DialogIcon::Error, UserInfoSaveMessage(result));
    }
}

void SettingsForm::CloseForm() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}

void SettingsForm::ApplyDetail(const DetailState& state) {
    detailButton_->setText(Q(state.Caption));
    detailButton_->setAccessibleName(detailButton_->text());
    detailPanel_->setVisible(state.Visible);
    setFixedHeight(state.Height);
}

void SettingsForm::ToggleDetails() {
    ApplyDetail(ToggleDetail(S(detailButton_->text())));
}

void SettingsForm::SetDictionaryList() {
    dictionary_ = PhraseDictionary(context_.Paths().PhraseFile, context_.Paths().ExeDir);
    dictionary_.Load();
    phraseEdit_->clear();
    dictionaryBox_->setTitle(Q(dictionary_.Caption()));
    const bool editable = dictionary_.HasFile();
    addPhraseButton_->setEnabled(editable);
    deletePhraseButton_->setEnabled(editable);
    SetEnabledLook(phraseEdit_, editable);
    ShowPhrases();
}

// The list as the dictionary holds it, nothing selected.
void SettingsForm::ShowPhrases() {
    const QSignalBlocker block(phraseList_);
    phraseList_->clear();
    phraseList_->addItems(ToQStringList(dictionary_.Phrases()));
    phraseList_->setCurrentRow(-1);
}

void SettingsForm::PhraseChosen() {
    if (QListWidgetItem* item = phraseList_->currentItem()) {
        phraseEdit_->setText(item->text());
    }
}

void SettingsForm::DeletePhrase() {
    const int row = phraseList_->currentRow();
    if (row < 0 || !phraseList_->currentItem()->isSelected()) {
        return;
    }
    Dialogs& dialogs = context_.Dialogs();
    if (!dialogs.Confirm(DialogIcon::Question, DeletePhraseQuestion(S(phraseList_->item(row)->text())))) {
        return;
    }
    const PhraseResult result = dictionary_.Delete(row);
    if (result != PhraseResult::Done) {
        dialogs.Show(DialogIcon::Error, PhraseMessage(result));
        return;
    }
    ShowPhrases();
    phraseEdit_->clear();
}

void SettingsForm::AddOrChangePhrase() {
    Dialogs& dialogs = context_.Dialogs();
    const std::string text = S(phraseEdit_->text());
    const int row = phraseList_->currentRow();
    const bool change = row >= 0 && phraseList_->currentItem()->isSelected();
    if (!change && text.empty()) {
        return;
    }
    const std::string question =
        change ? ChangePhraseQuestion(S(phraseList_->item(row)->text()), text) : AddPhraseQuestion(text);
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
        phraseEdit_->clear();
        phraseEdit_->setFocus();
    }
}

void SettingsForm::ChooseDictionaryFile() {
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
