#include "monitor/ui/RecordReadForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "monitor/RecordDirectory.h"
#include "register/MonitorFiles.h"
#include "register/ui/VehicleInfoForm.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace vanto;

RecordReadForm::RecordReadForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("RecordReadForm");
    setWindowTitle("モニタデータ読み込み選択");
    setFont(FixedFont(12));

    recordPanel_ = new QFrame(this);
    recordPanel_->setObjectName("recordPanel");
    recordPanel_->setFrameShape(QFrame::Panel);
    recordPanel_->setFrameShadow(QFrame::Raised);
    recordCombo_ = new QComboBox(recordPanel_);
    SetupCombo(recordCombo_, "recordCombo", "読み込むデータ", false);
    recordCombo_->setFont(ProportionalFont(18));
    recordCombo_->setMinimumWidth(360);
    readButton_ = new QPushButton("読み込み実行", recordPanel_);
    backButton_ = new QPushButton("戻　る", recordPanel_);
    readButton_->setObjectName("readButton");
    backButton_->setObjectName("backButton");
    for (QPushButton* button : {readButton_, backButton_}) {
        button->setAccessibleName(button->text());
        button->setFont(ProportionalFont(18));
        button->setMinimumSize(170, 44);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readButton_);
    buttons->addStretch();
    buttons->addWidget(backButton_);
    auto* panelLayout = new QVBoxLayout(recordPanel_);
    panelLayout->setContentsMargins(16, 16, 16, 16);
    panelLayout->setSpacing(16);
    panelLayout->addWidget(recordCombo_);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(recordPanel_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(readButton_, &QPushButton::clicked, this, &RecordReadForm::ReadSelectedRecord);
    connect(backButton_, &QPushButton::clicked, this, &RecordReadForm::GoBack);
}

std::string RecordReadForm::NoDataLine() const {
    return context_.TesterName() + "にデータが有りません。";
}

void RecordReadForm::Connect(VehicleInfoForm* vehicleInfo, WaitDialog* wait, QWidget* mainForm) {
    vehicleInfo_ = vehicleInfo;
    wait_ = wait;
    mainForm_ = mainForm;
    if (wait_) {
        wait_->RegisterJob(
            TesterJob::RecordDirectory, [this] { return RecordDirectoryJob(); },
            [this] {
                if (vehicleInfo_) {
                    vehicleInfo_->setEnabled(true);
                }
            });
    }
}

void RecordReadForm::FormShow() {
    if (vehicleInfo_) {
        vehicleInfo_->RecordReadStarted();
    }
    recordCombo_->setCurrentIndex(recordCombo_->count() > 0 ? 0 : -1);
    CenterOnScreen(this);
}

// Every way out of the form hides it, so the link is always closed here.
void RecordReadForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        context_.Link().CloseLink();
    }
}

bool RecordReadForm::RecordDirectoryJob() {
    TesterLink& link = context_.Link();
    const LinkReportWatch watch(link);
    link.LinkOpen = 0;
    const int length = link.BuildCommand(GroupLink, 5, 0, 0);
    if (link.SendCommand(length) != LinkOk || link.ReceiveAnswer() != LinkOk) {
        wait_->hide();
        if (!watch.LinkReported()) {
            context_.Dialogs().Show(DialogIcon::Information, CommunicationFailedText);
        }
        if (mainForm_) {
            mainForm_->setEnabled(true);
        }
        if (vehicleInfo_) {
            vehicleInfo_->show();
            vehicleInfo_->setEnabled(true);
        }
        return false;
    }
    const RecordDirectoryListing listing = ListRecordDirectory(link.AnswerData());
    recordCombo_->clear();
    recordCombo_->addItems(ToQStringList(listing.lines));
    entryOfLine_ = listing.entries;
    if (recordCombo_->currentIndex() < 0 && recordCombo_->count() > 0) {
        recordCombo_->setCurrentIndex(0);
    }
    readButton_->setEnabled(true);
    if (vehicleInfo_) {
        vehicleInfo_->HideForRecordRead();
    }
    std::fill(link.DirectoryCopy.begin(), link.DirectoryCopy.end(), 0);
    if (recordCombo_->count() == 0) {
        recordCombo_->addItem(Q(NoDataLine()));
        recordCombo_->setCurrentIndex(0);
        readButton_->setEnabled(false);
    }
    link.DirectoryCopy = link.IoBuffer;
    wait_->setEnabled(false);
    show();
    return true;
}

void RecordReadForm::ReadSelectedRecord() {
    const int line = recordCombo_->currentIndex();
    if (recordCombo_->count() == 0 || line < 0 || static_cast<std::size_t>(line) >= entryOfLine_.size()) {
        context_.Dialogs().Show(DialogIcon::Information, NoDataLine());
        return;
    }
    TesterLink& link = context_.Link();
    const std::string& entry = entryOfLine_[static_cast<std::size_t>(line)];
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(entry[i]); };
    const int length = link.BuildCommand(GroupRecord, byte(0), byte(1), byte(2));
    const LinkReportWatch watch(link);
    if (link.SendCommand(length) != LinkOk) {
        if (!watch.LinkReported()) {
            context_.Dialogs().Show(DialogIcon::Information, CommunicationFailedText);
        }
        ReturnToVehicleForm();
        return;
    }
    if (link.ReceiveAnswer() != LinkOk) {
        if (!watch.LinkReported()) {
            context_.Dialogs().Show(DialogIcon::Information, CommunicationFailedText);
        }
        hide();
        if (vehicleInfo_) {
            vehicleInfo_->ReturnFromRecordRead();
        }
        return;
    }
    if (!context_.Dialogs().Confirm(DialogIcon::Question, "データの登録を行います、よろしいですか？")) {
        return; // the form stays open with the link open
    }
    SaveRecord(line);
    ReturnToVehicleForm();
}

// Files the answer in IoBuffer under the vehicle: the record file first, then its title in the index, so the
// index never names a record that was not written; an index that cannot be read stops before anything is written.
bool RecordReadForm::SaveRecord(int line) {
    if (!vehicleInfo_) {
        return false;
    }
    Dialogs& dialogs = context_.Dialogs();
    const VehicleFolder vehicle = vehicleInfo_->CurrentVehicleFolder();
    const std::string title = RecordTitle(S(recordCombo_->itemText(line)), context_.Clock().Now());
    switch (StoreRecord(vehicle, title, context_.Link().AnswerData())) {
    case StoreResult::Done:
        return true;
    case StoreResult::TitleUnusable:
        dialogs.Show(DialogIcon::Error, "データ名「" + title + "」はファイル名に使えないため、保存できません。");
        break;
    case StoreResult::IndexUnreadable:
        dialogs.Show(DialogIcon::Error, "データ一覧「" + vehicle.MonitorIndexFile() +
                                            "」を読み込めません。\nデータは登録されていません。");
        break;
    case StoreResult::RecordNotWritten:
        dialogs.Show(DialogIcon::Error, "データファイル「" + vehicle.RecordFile(title) + "」を保存できませんでした。");
        break;
    case StoreResult::IndexNotSaved:
        dialogs.Show(DialogIcon::Error, "データ一覧「" + vehicle.MonitorIndexFile() + "」を保存できませんでした。");
        break;
    }
    return false;
}

void RecordReadForm::ReturnToVehicleForm() {
    hide();
    if (vehicleInfo_) {
        vehicleInfo_->ShowAfterRecordStored();
    }
}

void RecordReadForm::GoBack() {
    hide();
    if (vehicleInfo_) {
        vehicleInfo_->ReturnFromRecordRead();
    }
}
