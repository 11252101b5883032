#include "reference/ui/ReferenceReadForm.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/ui/FormHelpers.h"
#include "reference/ReferenceFiles.h"
#include "reference/ReferenceJobs.h"
#include "reference/ReferenceTexts.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

using namespace vanto;

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    QPushButton* button = MakeButton(parent, name, caption, 16);
    button->setMinimumSize(150, 40);
    return button;
}

} // namespace

ReferenceReadForm::ReferenceReadForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("ReferenceReadForm");
    setFont(FixedFont(13));

    setPanel_ = new QFrame(this);
    setPanel_->setObjectName("setPanel");
    setPanel_->setFrameShape(QFrame::Panel);
    setPanel_->setFrameShadow(QFrame::Raised);

    setCombo_ = new QComboBox(setPanel_);
    SetupCombo(setCombo_, "setCombo", "テスターの参考値", false);
    setCombo_->setFont(ProportionalFont(16));
    setCombo_->setMinimumWidth(420);

    auto* info = new QGroupBox("参考値の車両情報", setPanel_);
    info->setObjectName("infoBox");
    auto* grid = new QGridLayout(info);
    const char* names[] = {"vehicleNameEdit", "typeCodeEdit", "engineTypeEdit",
                           "modelYearEdit",   "mileageEdit",  "commentEdit"};
    QLineEdit** fields[] = {&vehicleNameEdit_, &typeCodeEdit_, &engineTypeEdit_,
                            &modelYearEdit_,   &mileageEdit_,  &commentEdit_};
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        auto* edit = new QLineEdit(info);
        const QString caption = QString::fromUtf8(InfoFieldCaptions[i]);
        SetupEdit(edit, names[i], caption, InfoEditMaxLength[i]);
        // A field holds at most 20 bytes (the comment 128): room for its 18 characters, the comment wide.
        edit->setMinimumWidth(i == InfoFieldCount - 1 ? 620 : 260);
        grid->addWidget(new QLabel(caption, info), static_cast<int>(i), 0);
        grid->addWidget(edit, static_cast<int>(i), 1, Qt::AlignLeft);
        *fields[i] = edit;
    }
    // Typed letters of the mileage become lower case; what the tester sent is shown as it is.
    LimitTyping(mileageEdit_, InfoEditMaxLength[static_cast<std::size_t>(InfoField::Mileage)],
                TypedCharacters::LowerCaseSjis);
    mileageEdit_->setMinimumWidth(120);

    readButton_ = Button(setPanel_, "readButton", "読み込み実行");
    saveButton_ = Button(setPanel_, "saveButton", "参考値の保存");
    deleteButton_ = Button(setPanel_, "deleteButton", "ﾃｽﾀｰの参考値削除");
    backButton_ = Button(setPanel_, "backButton", "戻　る");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {readButton_, saveButton_, deleteButton_}) {
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(backButton_);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("テスターの参考値", setPanel_));
    top->addWidget(setCombo_);
    top->addStretch();
    auto* panelLayout = new QVBoxLayout(setPanel_);
    panelLayout->setContentsMargins(16, 16, 16, 16);
    panelLayout->setSpacing(12);
    panelLayout->addLayout(top);
    panelLayout->addWidget(info);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(setPanel_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(setCombo_, &QComboBox::activated, this, &ReferenceReadForm::SetChosen);
    connect(readButton_, &QPushButton::clicked, this, &ReferenceReadForm::ReadSelectedSet);
    connect(saveButton_, &QPushButton::clicked, this, &ReferenceReadForm::SaveAsFile);
    connect(deleteButton_, &QPushButton::clicked, this, &ReferenceReadForm::DeleteSelectedSet);
    connect(backButton_, &QPushButton::clicked, this, &ReferenceReadForm::GoBack);
}

void ReferenceReadForm::Connect(QWidget* menu, WaitDialog* wait, QWidget* mainForm) {
    menu_ = menu;
    wait_ = wait;
    mainForm_ = mainForm;
    if (wait_) {
        wait_->RegisterJob(
            TesterJob::ReferenceList, [this] { return ReferenceListJob(); },
            [this] {
                if (mainForm_) {
                    mainForm_->show();
                    mainForm_->setEnabled(true);
                }
            });
    }
}

bool ReferenceReadForm::ReferenceListJob() {
    const LinkReportWatch watch(context_.Link());
    const ReferenceList list = ListReferenceSets(context_.Link());
    if (list.Received) {
        ShowSets(list.Entries);
    } else {
        // With the sets it listed before; a failed listing is no proof of an empty tester, so the form says why
        // nothing is listed once: the link's message, or its own.
        listFailed_ = true;
        show();
        listFailed_ = false;
        if (!watch.LinkReported()) {
            context_.Dialogs().Show(DialogIcon::Information, CommunicationFailedText);
        }
    }
    return true;
}

void ReferenceReadForm::ShowSets(const std::vector<std::string>& names) {
    setCombo_->clear();
    for (const auto& name : names) {
        setCombo_->addItem(Q(DecodeSjisForDisplay(name)));
    }
    show();
}

void ReferenceReadForm::FormShow() {
    setWindowTitle(Q(ReadFormCaption(context_.TesterName())));
    if (wait_) {
        wait_->hide();
    }
    context_.Link().CloseLink();
    valuesRead_ = false;
    saveButton_->setEnabled(false);
    ClearEdits();
    const bool any = setCombo_->count() > 0;
    setCombo_->setCurrentIndex(any ? 0 : -1);
    readButton_->setEnabled(any);
    deleteButton_->setEnabled(any);
    adjustSize();
    CenterOnScreen(this);
    if (!any && !listFailed_) {
        context_.Dialogs().Show(DialogIcon::Information, NoReferenceSetsText(context_.TesterName()));
    }
}

void ReferenceReadForm::ClearEdits() {
    for (QLineEdit* edit : Edits()) {
        edit->clear();
    }
    shownInfo_ = {};
}

void ReferenceReadForm::SetChosen() {
    ClearEdits();
    saveButton_->setEnabled(false);
}

void ReferenceReadForm::ReadSelectedSet() {
    const int set = setCombo_->currentIndex();
    if (setCombo_->count() == 0 || set < 0) {
        return;
    }
    TesterLink& link = context_.Link();
    if (link.LinkOpen != 1) {
        link.ConnectTester(context_.TesterName());
        if (link.LinkOpen != 1) {
            return;
        }
    }
    // The wait dialog only shows that the tester is busy: it has no job to run.
    link.LinkOpen = 0;
    context_.State().PendingJob = TesterJob::None;
    if (wait_) {
        wait_->ShowBusy();
    }
    const LinkReportWatch watch(link);
    const ReferenceRead read = ReadReferenceSet(link, context_.Paths().ExeDir, set);
    if (read.Info) {
        shownInfo_ = *read.Info;
        const auto texts = read.Info->ToUtf8();
        for (std::size_t i = 0; i < InfoFieldCount; ++i) {
            Edits()[i]->setText(Q(texts[i]));
        }
    }
    if (wait_) {
        wait_->hide();
    }
    // A set read in part is not saved: DATA.WK would then mix two sets.
    valuesRead_ = read.SaveArmed();
    saveButton_->setEnabled(valuesRead_);
    link.CloseLink();
    if (read.Outcome == ReadOutcome::WorkFileFailed) {
        context_.Dialogs().Show(DialogIcon::Error, WorkFileFailedText);
    } else if (!read.SaveArmed() && !watch.LinkReported()) {
        context_.Dialogs().Show(DialogIcon::Information, CommunicationFailedText);
    }
}

void ReferenceReadForm::SaveAsFile() {
    Dialogs& dialogs = context_.Dialogs();
    const std::string& tester = context_.TesterName();
    if (!valuesRead_) {
        dialogs.Show(DialogIcon::Question, NotReadText(tester));
        return;
    }
    FileDialogOptions options;
    options.title = ReferenceSaveDialogTitle;
    options.folder = context_.Paths().OwnerDir; // where the open dialog of the writing form starts too
    options.fileName = ReferenceSaveFileName;
    options.filter = ReferenceFileFilter;
    options.defaultExtension = ReferenceFileExtension;
    const auto file = dialogs.SaveFile(options);
    if (!file) {
        return;
    }
    if (file->empty()) {
        dialogs.Show(DialogIcon::Question, NoFileNameText);
        return;
    }
    std::error_code ec;
    if (std::filesystem::exists(PathFromUtf8(*file), ec) &&
        !dialogs.Confirm(DialogIcon::Question, OverwriteQuestionText)) {
        return;
    }
    std::array<std::string, InfoFieldCount> texts;
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        texts[i] = S(Edits()[i]->text());
    }
    switch (SaveReferenceFile(context_.Paths().ExeDir, *file, shownInfo_.WithEdits(texts))) {
    case SaveResult::Saved:
        BackToMenu();
        return;
    case SaveResult::NoWorkData: // DATA.WK lost the set since it was read
        dialogs.Show(DialogIcon::Question, NotReadText(tester));
        return;
    case SaveResult::WriteFailed:
        dialogs.Show(DialogIcon::Error, SaveFailedText(*file));
        return;
    }
}

void ReferenceReadForm::DeleteSelectedSet() {
    const int set = setCombo_->currentIndex();
    if (setCombo_->count() == 0 || set < 0) {
        return;
    }
    Dialogs& dialogs = context_.Dialogs();
    const std::string& tester = context_.TesterName();
    if (!dialogs.Confirm(DialogIcon::Question, DeleteQuestionText(tester))) {
        return;
    }
    TesterLink& link = context_.Link();
    if (link.LinkOpen != 1) {
        link.ConnectTester(tester);
        if (link.LinkOpen != 1) {
            return;
        }
    }
    const LinkReportWatch watch(link);
    const bool deleted = DeleteReferenceSet(link, set);
    if (wait_) {
        wait_->hide();
    }
    BackToMenu();
    link.CloseLink();
    if (deleted) {
        dialogs.Show(DialogIcon::Information, DeletedText(tester));
    } else if (!watch.LinkReported()) {
        dialogs.Show(DialogIcon::Information, CommunicationFailedText);
    }
}

void ReferenceReadForm::GoBack() {
    BackToMenu();
}

void ReferenceReadForm::BackToMenu() {
    hide();
    if (menu_) {
        menu_->show();
    }
}
