#include "monitor/ui/RecordReadForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "monitor/MonitorFiles.h"
#include "monitor/RecordDirectory.h"
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
    setObjectName("GetDataForm");
    setWindowTitle("モニタデータ読み込み選択");
    setFont(FixedFont(12));

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    ComboBox1 = new QComboBox(Panel1);
    SetupCombo(ComboBox1, "ComboBox1", "読み込むデータ", false);
    ComboBox1->setFont(ProportionalFont(18));
    ComboBox1->setMinimumWidth(360);
    Button1 = new QPushButton("読み込み実行", Panel1);
    Button2 = new QPushButton("戻　る", Panel1);
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    for (QPushButton* button : {Button1, Button2}) {
        button->setAccessibleName(button->text());
        button->setFont(ProportionalFont(18));
        button->setMinimumSize(170, 44);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Button2);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(16, 16, 16, 16);
    panelLayout->setSpacing(16);
    panelLayout->addWidget(ComboBox1);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Panel1);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &RecordReadForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &RecordReadForm::Button2Click);
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
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
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
    ComboBox1->clear();
    ComboBox1->addItems(ToQStringList(listing.lines));
    entryOfLine_ = listing.entries;
    if (ComboBox1->currentIndex() < 0 && ComboBox1->count() > 0) {
        ComboBox1->setCurrentIndex(0);
    }
    Button1->setEnabled(true);
    if (vehicleInfo_) {
        vehicleInfo_->HideForRecordRead();
    }
    std::fill(link.DirectoryCopy.begin(), link.DirectoryCopy.end(), 0);
    if (ComboBox1->count() == 0) {
        ComboBox1->addItem(Q(NoDataLine()));
        ComboBox1->setCurrentIndex(0);
        Button1->setEnabled(false);
    }
    link.DirectoryCopy = link.IoBuffer;
    wait_->setEnabled(false);
    show();
    return true;
}

void RecordReadForm::Button1Click() {
    const int line = ComboBox1->currentIndex();
    if (ComboBox1->count() == 0 || line < 0 || static_cast<std::size_t>(line) >= entryOfLine_.size()) {
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
    const std::string title = RecordTitle(S(ComboBox1->itemText(line)), context_.Clock().Now());
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

void RecordReadForm::Button2Click() {
    hide();
    if (vehicleInfo_) {
        vehicleInfo_->ReturnFromRecordRead();
    }
}
