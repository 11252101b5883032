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
    setObjectName("ref_sub_sel");
    setWindowTitle(QString::fromUtf8(ReferenceMenuCaption));
    setFont(FixedFont(13));

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    GetSampleDataBTN = MenuButton(Panel1, "GetSampleDataBTN", "テスターより参考値データ読み込み、削除");
    PutDataBTN = MenuButton(Panel1, "PutDataBTN", "パソコンよりテスターへ参考値書込み､表示");
    REF_ALL_BTN = MenuButton(Panel1, "REF_ALL_BTN", "参　考　値　全　削　除");
    modoru_BTN = MenuButton(Panel1, "modoru_BTN", "戻　る");

    auto* buttons = new QVBoxLayout(Panel1);
    buttons->setContentsMargins(16, 16, 16, 16);
    buttons->setSpacing(12);
    for (QPushButton* b : {GetSampleDataBTN, PutDataBTN, REF_ALL_BTN, modoru_BTN}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Panel1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(GetSampleDataBTN, &QPushButton::clicked, this, &ReferenceMenuForm::GetSampleDataBTNClick);
    connect(PutDataBTN, &QPushButton::clicked, this, &ReferenceMenuForm::PutDataBTNClick);
    connect(REF_ALL_BTN, &QPushButton::clicked, this, &ReferenceMenuForm::REF_ALL_BTNClick);
    connect(modoru_BTN, &QPushButton::clicked, this, &ReferenceMenuForm::modoru_BTNClick);
}

void ReferenceMenuForm::Connect(QWidget* mainMenu, QWidget* readForm, ReferenceWriteForm* writeForm, WaitDialog* wait) {
    mainMenu_ = mainMenu;
    readForm_ = readForm;
    writeForm_ = writeForm;
    wait_ = wait;
    GetSampleDataBTN->setEnabled(readForm_ != nullptr && wait_ != nullptr);
    PutDataBTN->setEnabled(writeForm_ != nullptr);
}

void ReferenceMenuForm::FormShow() {
    setEnabled(true);
    adjustSize();
    CenterOnScreen(this);
}

void ReferenceMenuForm::GetSampleDataBTNClick() {
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

void ReferenceMenuForm::PutDataBTNClick() {
    if (!writeForm_) {
        return;
    }
    hide();
    writeForm_->ShowFromMenu();
}

// Deleting every set needs no capability: it is the way out for a tester whose sets cannot be read.
void ReferenceMenuForm::REF_ALL_BTNClick() {
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

void ReferenceMenuForm::modoru_BTNClick() {
    context_.State().PendingJob = TesterJob::None;
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
