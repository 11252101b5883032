#include "continuous/ui/ContinuousRecordForm.h"

#include "common/Dialogs.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/ui/FormHelpers.h"
#include "continuous/ContinuousJob.h"
#include "continuous/ContinuousRecord.h"
#include "continuous/ui/ContinuousChartWindow.h"
#include "continuous/ui/ContinuousGrid.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QHideEvent>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <climits>
#include <utility>

using namespace vanto;

namespace {

constexpr int ButtonWidth = 136;
constexpr int ButtonHeight = 40;
constexpr int ButtonMargin = 10; // between a button and the form's right edge, and between table and buttons

int ProgressCount(int64_t count) {
    return static_cast<int>(std::clamp<int64_t>(count, 0, INT_MAX));
}

} // namespace

ContinuousRecordForm::ContinuousRecordForm(const FormContext& context)
    : FormBase(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint),
      context_(context) {
    setObjectName("ContinuousRecordForm");
    setWindowTitle("連続記録の取り込み、表示");
    setFont(FixedFont(13));

    model_ = new ContinuousTableModel(this);
    recordTable_ = new ContinuousGridView(this);
    recordTable_->setObjectName("recordTable");
    recordTable_->setAccessibleName("連続記録");
    recordTable_->setFont(FixedFont(13));
    recordTable_->setModel(model_);

    // The buttons keep their vertical places; only their left edges follow the form's width (resizeEvent).
    struct Placed {
        QPushButton*& button;
        const char* name;
        const char* caption;
        int top;
    };
    for (const Placed& p : {Placed{downloadButton_, "downloadButton", "テスタから読取", 16},
                            Placed{saveCsvButton_, "saveCsvButton", "表示ﾃﾞｰﾀ登録", 72},
                            Placed{openCsvButton_, "openCsvButton", "登録ﾃﾞｰﾀ表示", 128},
                            Placed{chartButton_, "chartButton", "グラフ表示", 200},
                            Placed{backButton_, "backButton", "戻　　　る", 272}}) {
        p.button = MakeButton(this, p.name, p.caption);
        p.button->setGeometry(0, p.top, ButtonWidth, ButtonHeight);
    }
    saveCsvButton_->setEnabled(false);
    chartButton_->setEnabled(false);
    chartWindow_ = new ContinuousChartWindow(context_, this);

    setMinimumSize(480, backButton_->geometry().bottom() + 16);
    resize(960, 600);

    connect(downloadButton_, &QPushButton::clicked, this, &ContinuousRecordForm::DownloadRecord);
    connect(saveCsvButton_, &QPushButton::clicked, this, &ContinuousRecordForm::SaveCsv);
    connect(openCsvButton_, &QPushButton::clicked, this, &ContinuousRecordForm::OpenCsv);
    connect(chartButton_, &QPushButton::clicked, this, &ContinuousRecordForm::OpenChart);
    connect(backButton_, &QPushButton::clicked, this, &ContinuousRecordForm::ReturnToMainMenu);
}

void ContinuousRecordForm::Connect(QWidget* mainMenu, WaitDialog* wait) {
    mainMenu_ = mainMenu;
    wait_ = wait;
    if (wait_) {
        wait_->RegisterJob(
            TesterJob::Continuous, [this] { return ContinuousJob(); }, [this] { show(); });
    }
    downloadButton_->setEnabled(wait_ != nullptr);
}

const ContinuousTable& ContinuousRecordForm::Table() const {
    return model_->Table();
}

void ContinuousRecordForm::FormShow() {
    CenterOnScreen(this);
}

void ContinuousRecordForm::resizeEvent(QResizeEvent* event) {
    FormBase::resizeEvent(event);
    const int client = width();
    for (QPushButton* button : {downloadButton_, saveCsvButton_, openCsvButton_, chartButton_, backButton_}) {
        button->move(client - button->width() - ButtonMargin, button->y());
    }
    recordTable_->setGeometry(0, 0, std::max(0, client - ButtonWidth - 2 * ButtonMargin), height());
}

void ContinuousRecordForm::hideEvent(QHideEvent* event) {
    FormBase::hideEvent(event);
    if (!event->spontaneous()) {
        chartWindow_->hide();
    }
}

void ContinuousRecordForm::ShowTable(ContinuousTable table) {
    model_->SetTable(std::move(table));
    const ContinuousTable& shown = model_->Table();
    chartButton_->setEnabled(shown.RowCount() > ContinuousTable::HeaderRows && shown.ColumnCount() > 0);
    chartWindow_->SetTable(shown);
}

void ContinuousRecordForm::DownloadRecord() {
    TesterLink& link = context_.Link();
    link.ConnectTester(context_.TesterName());
    // A link that did not open has said why; the capability cannot be known then.
    if (link.LinkOpen != 1 || !wait_) {
        return;
    }
    if (SupportsContinuousRecords(link.AppLog)) {
        hide();
        wait_->ShowForJob(TesterJob::Continuous);
        return;
    }
    context_.Dialogs().Show(DialogIcon::Information, ContinuousCapabilityText);
    link.CloseLink();
}

bool ContinuousRecordForm::ContinuousJob() {
    // The series is read beside the table shown, which stays when the download cannot start.
    ContinuousTable series;
    const LinkReportWatch watch(context_.Link());
    const ContinuousDownload download =
        DownloadContinuous(context_.Link(), series, [this](int64_t block, int64_t blocks) {
            wait_->ShowProgress(ProgressCount(block), ProgressCount(blocks));
        });
    const bool filled = ContinuousTableFilled(download.result);
    if (filled) {
        ShowTable(std::move(series));
    }
    wait_->hide();
    // One message per failure: a link that lost the tester, or failed the start, has said so; otherwise the job's
    // result speaks (also after a block whose failure the link reported, so missing rows are never silent).
    const bool linkSpoke =
        watch.LinkReported() && (download.linkLost || download.result == ContinuousResult::StartFailed);
    if (const char* message = ContinuousResultMessage(download.result); message && !linkSpoke) {
        context_.Dialogs().Show(DialogIcon::Information, message);
    }
    if (filled) {
        saveCsvButton_->setEnabled(true);
    }
    show();
    return false;
}

void ContinuousRecordForm::SaveCsv() {
    Dialogs& dialogs = context_.Dialogs();
    FileDialogOptions options;
    options.filter = CsvSaveFilter;
    options.defaultExtension = CsvDefaultExtension;
    const auto file = dialogs.SaveFile(options);
    if (!file) {
        return;
    }
    if (FileExists(PathFromUtf8(*file)) && !dialogs.Confirm(DialogIcon::Question, CsvOverwriteQuestion)) {
        return;
    }
    if (!SaveCsvFile(Table(), *file)) {
        dialogs.Show(DialogIcon::Information, CsvWriteFailedText);
    }
}

void ContinuousRecordForm::OpenCsv() {
    Dialogs& dialogs = context_.Dialogs();
    FileDialogOptions options;
    options.filter = CsvOpenFilter;
    const auto file = dialogs.OpenFile(options);
    if (!file) {
        return;
    }
    auto table = OpenCsvFile(*file);
    if (!table) {
        dialogs.Show(DialogIcon::Information, CsvOpenFailedText);
        return;
    }
    ShowTable(std::move(*table));
}

void ContinuousRecordForm::OpenChart() {
    chartWindow_->ShowChart();
}

void ContinuousRecordForm::ReturnToMainMenu() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
