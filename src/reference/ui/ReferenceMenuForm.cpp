#include "reference/ui/ReferenceMenuForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "reference/ReferenceJobs.h"
#include "reference/ReferenceTexts.h"
#include "reference/ui/ReferenceWriteForm.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

namespace {
QPushButton* MenuButton(QWidget* parent, const char* name, const char* caption) {
    QPushButton* button = MakeButton(parent, name, caption, 22);
    button->setFixedSize(460, 52);
    return button;
}
} // namespace

ReferenceMenuForm::ReferenceMenuForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("ReferenceMenuForm");
    setWindowTitle(QString::fromUtf8(ReferenceMenuCaption));
    setFont(FixedFont(13));

    menuPanel_ = new QFrame(this);
    menuPanel_->setObjectName("menuPanel");
    menuPanel_->setFrameShape(QFrame::Panel);
    menuPanel_->setFrameShadow(QFrame::Raised);
    readSetsButton_ = MenuButton(menuPanel_, "readSetsButton", "テスターより参考値データ読み込み、削除");
    writeSetsButton_ = MenuButton(menuPanel_, "writeSetsButton", "パソコンよりテスターへ参考値書込み､表示");
    deleteAllButton_ = MenuButton(menuPanel_, "deleteAllButton", "参　考　値　全　削　除");
    backButton_ = MenuButton(menuPanel_, "backButton", "戻　る");

    auto* buttons = new QVBoxLayout(menuPanel_);
    buttons->setContentsMargins(16, 16, 16, 16);
    buttons->setSpacing(12);
    for (QPushButton* b : {readSetsButton_, writeSetsButton_, deleteAllButton_, backButton_}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(menuPanel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(readSetsButton_, &QPushButton::clicked, this, &ReferenceMenuForm::OpenReadForm);
    connect(writeSetsButton_, &QPushButton::clicked, this, &ReferenceMenuForm::OpenWriteForm);
    connect(deleteAllButton_, &QPushButton::clicked, this, &ReferenceMenuForm::DeleteAllSets);
    connect(backButton_, &QPushButton::clicked, this, &ReferenceMenuForm::ReturnToMainMenu);
}

void ReferenceMenuForm::Connect(QWidget* mainMenu, QWidget* readForm, ReferenceWriteForm* writeForm, WaitDialog* wait) {
    mainMenu_ = mainMenu;
    readForm_ = readForm;
    writeForm_ = writeForm;
    wait_ = wait;
    readSetsButton_->setEnabled(readForm_ != nullptr && wait_ != nullptr);
    writeSetsButton_->setEnabled(writeForm_ != nullptr);
}

void ReferenceMenuForm::FormShow() {
    setEnabled(true);
    adjustSize();
    CenterOnScreen(this);
}

void ReferenceMenuForm::OpenReadForm() {
    if (!wait_) {
        return;
    }
    TesterLink& link = context_.Link();
    if (link.LinkOpen != 1) {
        link.ConnectTester(context_.TesterName());
    }
    if (link.LinkOpen != 1) {
        // The connect routine has said why; the user stays here.
        wait_->hide();
        link.CloseLink();
        return;
    }
    if (!SupportsReferenceValues(link)) {
        context_.Dialogs().Show(DialogIcon::Information, ReadCapabilityText());
        link.CloseLink();
        return;
    }
    hide();
    // The list job fills the reading form and shows it; that form closes the link.
    wait_->StartJob(TesterJob::ReferenceList);
}

void ReferenceMenuForm::OpenWriteForm() {
    if (!writeForm_) {
        return;
    }
    hide();
    writeForm_->ShowFromMenu();
}

// Deleting every set needs no capability: it is the way out for a tester whose sets cannot be read.
void ReferenceMenuForm::DeleteAllSets() {
    Dialogs& dialogs = context_.Dialogs();
    if (!dialogs.Confirm(DialogIcon::Question, DeleteAllQuestionText(context_.TesterName()))) {
        return;
    }
    TesterLink& link = context_.Link();
    if (link.LinkOpen != 1) {
        link.ConnectTester(context_.TesterName());
    }
    const bool linkOpen = link.LinkOpen == 1;
    bool deleted = false;
    const LinkReportWatch watch(link);
    if (linkOpen) {
        deleted = DeleteAllReferenceSets(link);
        if (wait_) {
            wait_->hide();
        }
        if (readForm_) {
            readForm_->hide();
        }
        show();
    }
    link.CloseLink();
    if (deleted) {
        dialogs.Show(DialogIcon::Information, AllDeletedText(context_.TesterName()));
    } else if (linkOpen && !watch.LinkReported()) {
        dialogs.Show(DialogIcon::Information, CommunicationFailedText);
    }
}

void ReferenceMenuForm::ReturnToMainMenu() {
    context_.State().PendingJob = TesterJob::None;
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
