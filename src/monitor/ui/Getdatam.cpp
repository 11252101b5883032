#include "monitor/ui/Getdatam.h"

#include "app/ui/Vantomain.h"
#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "common/ui/Forms.h"
#include "monitor/MonitorFiles.h"
#include "monitor/RecordDirectory.h"
#include "register/ui/Carinfo.h"
#include "tester/TesterLink.h"
#include "tester/ui/Combusy.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

using namespace vanto;

namespace {
TesterLink& Link() { return *Forms().MainForm->Link; }
Dialogs& Dlg() { return Forms().MainForm->Dialogs(); }
std::string NoDataLine() { return Forms().MainForm->TesterName + "にデータが有りません。"; }

// Offset of the data in an answer frame.
constexpr std::size_t AnswerDataOffset = 11;
} // namespace

TGetDataForm::TGetDataForm() : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
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

    connect(Button1, &QPushButton::clicked, this, &TGetDataForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TGetDataForm::Button2Click);

    Forms().GetDataForm = this;
    if (TComWaitForm* wait = Forms().ComWaitForm) {
        wait->RegisterJob(
            TComWaitForm::RecordDirectoryJob, [this] { return RecordDirectoryJob(); },
            [] {
                if (Forms().CarInfoForm) {
                    Forms().CarInfoForm->setEnabled(true);
                }
            });
    }
}

TGetDataForm::~TGetDataForm() {
    if (Forms().GetDataForm == this) {
        Forms().GetDataForm = nullptr;
    }
}

void TGetDataForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        if (Forms().CarInfoForm) {
            Forms().CarInfoForm->Panel1->setEnabled(false);
        }
        ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
        CenterOnScreen(this);
    }
}

// Every way out of the form hides it, so the link is always closed here.
void TGetDataForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) {
        Link().CloseLink();
    }
}

bool TGetDataForm::RecordDirectoryJob() {
    TTestMainForm* main = Forms().MainForm;
    TCarInfoForm* vehicleForm = Forms().CarInfoForm;
    TesterLink& link = Link();
    link.LinkOpen = 0;
    const int length = link.BuildCommand(GroupLink, 5, 0, 0);
    if (link.SendCommand(length) != LinkOk || link.ReceiveAnswer() != LinkOk) {
        Forms().ComWaitForm->hide();
        main->setEnabled(true);
        if (vehicleForm) {
            vehicleForm->show();
            vehicleForm->setEnabled(true);
        }
        return false;
    }
    const RecordDirectoryListing listing = ListRecordDirectory(link.AnswerData());
    ComboBox1->clear();
    ComboBox1->addItems(ToQStringList(listing.lines));
    entryOfLine_ = listing.entryOfLine;
    if (ComboBox1->currentIndex() < 0 && ComboBox1->count() > 0) {
        ComboBox1->setCurrentIndex(0);
    }
    Button1->setEnabled(true);
    if (vehicleForm) {
        vehicleForm->hide();
    }
    std::fill(link.DirectoryCopy.begin(), link.DirectoryCopy.end(), 0);
    if (ComboBox1->count() == 0) {
        ComboBox1->addItem(Q(NoDataLine()));
        ComboBox1->setCurrentIndex(0);
        Button1->setEnabled(false);
    }
    link.DirectoryCopy = link.IoBuffer;
    Forms().ComWaitForm->setEnabled(false);
    show();
    return true;
}

void TGetDataForm::Button1Click() {
    const int line = ComboBox1->currentIndex();
    if (ComboBox1->count() == 0 || line < 0 || static_cast<std::size_t>(line) >= entryOfLine_.size()) {
        Dlg().Show(DialogIcon::Information, NoDataLine());
        return;
    }
    TesterLink& link = Link();
    const std::size_t offset = AnswerDataOffset + 3 * entryOfLine_[static_cast<std::size_t>(line)];
    const auto* entry = link.DirectoryCopy.data() + offset;
    const int length = link.BuildCommand(GroupRecord, entry[0], entry[1], entry[2]);
    if (link.SendCommand(length) != LinkOk) {
        ReturnToVehicleForm();
        return;
    }
    if (link.ReceiveAnswer() != LinkOk) {
        hide();
        if (TCarInfoForm* vehicleForm = Forms().CarInfoForm) {
            vehicleForm->Panel1->setEnabled(true);
            vehicleForm->show();
            vehicleForm->setEnabled(true);
        }
        return;
    }
    if (!Dlg().Confirm(DialogIcon::Question, "データの登録を行います、よろしいですか？")) {
        return; // the form stays open with the link open
    }
    SaveRecord(line);
    ReturnToVehicleForm();
}

// Files the answer in IoBuffer under the vehicle: the record file first, then its title in the index, so the
// index never names a record that was not written.
bool TGetDataForm::SaveRecord(int line) {
    TCarInfoForm* vehicleForm = Forms().CarInfoForm;
    if (!vehicleForm) {
        return false;
    }
    const std::string folder = vehicleForm->VehicleFolder();
    const std::string title = RecordTitle(S(ComboBox1->itemText(line)), Forms().MainForm->Clock().Now());
    if (!IsRecordTitleUsable(title)) {
        Dlg().Show(DialogIcon::Error, "データ名「" + title + "」はファイル名に使えないため、保存できません。");
        return false;
    }
    if (!WriteRecordFile(folder, title, Link().AnswerData())) {
        Dlg().Show(DialogIcon::Error, "データファイル「" + folder + title + RecordFileExtension +
                                          "」を保存できませんでした。");
        return false;
    }
    if (!AppendRecordTitle(folder, title)) {
        Dlg().Show(DialogIcon::Error, "データ一覧「" + folder + MonitorIndexName + "」を保存できませんでした。");
        return false;
    }
    return true;
}

void TGetDataForm::ReturnToVehicleForm() {
    hide();
    TCarInfoForm* vehicleForm = Forms().CarInfoForm;
    if (!vehicleForm) {
        return;
    }
    vehicleForm->ReloadOnShow = false;
    vehicleForm->SetCurrentCustomer(S(vehicleForm->UserNameCB->currentText()));
    vehicleForm->LoadVehicle();
    vehicleForm->Panel1->setEnabled(true);
    vehicleForm->setEnabled(true);
    vehicleForm->show();
    vehicleForm->raise();
}

void TGetDataForm::Button2Click() {
    hide();
    if (TCarInfoForm* vehicleForm = Forms().CarInfoForm) {
        vehicleForm->Panel1->setEnabled(true);
        vehicleForm->show();
        vehicleForm->setEnabled(true);
    }
}
