#include "continuous/ui/ContinuousRecordForm.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/TextFile.h"
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
    setObjectName("continuation_form");
    setWindowTitle("連続記録の取り込み、表示");
    setFont(FixedFont(13));

    model_ = new ContinuousTableModel(this);
    continuation_data = new ContinuousGridView(this);
    continuation_data->setObjectName("continuation_data");
    continuation_data->setAccessibleName("連続記録");
    continuation_data->setFont(FixedFont(13));
    continuation_data->setModel(model_);

    // The buttons keep their vertical places; only their left edges follow the form's width (resizeEvent).
    struct Placed {
        QPushButton*& button;
        const char* name;
        const char* caption;
        int top;
    };
    for (const Placed& p :
         {Placed{LOG_DOWN_LOAD, "LOG_DOWN_LOAD", "テスタから読取", 16},
          Placed{LOG_FILE_SAVE_BTN, "LOG_FILE_SAVE_BTN", "表示ﾃﾞｰﾀ登録", 72},
          Placed{CSV_OPEN_BTN, "CSV_OPEN_BTN", "登録ﾃﾞｰﾀ表示", 128}, Placed{GRAPH_BTN, "GRAPH_BTN", "グラフ表示", 200},
          Placed{MODORU_BTN, "MODORU_BTN", "戻　　　る", 272}}) {
        p.button = MakeButton(this, p.name, p.caption);
        p.button->setGeometry(0, p.top, ButtonWidth, ButtonHeight);
    }
    LOG_FILE_SAVE_BTN->setEnabled(false);
    GRAPH_BTN->setEnabled(false);
    ChartForm = new ContinuousChartWindow(context_, this);

    setMinimumSize(480, MODORU_BTN->geometry().bottom() + 16);
    resize(960, 600);

    connect(LOG_DOWN_LOAD, &QPushButton::clicked, this, &ContinuousRecordForm::LOG_DOWN_LOADClick);
    connect(LOG_FILE_SAVE_BTN, &QPushButton::clicked, this, &ContinuousRecordForm::LOG_FILE_SAVE_BTNClick);
    connect(CSV_OPEN_BTN, &QPushButton::clicked, this, &ContinuousRecordForm::CSV_OPEN_BTNClick);
    connect(GRAPH_BTN, &QPushButton::clicked, this, &ContinuousRecordForm::GRAPH_BTNClick);
    connect(MODORU_BTN, &QPushButton::clicked, this, &ContinuousRecordForm::MODORU_BTNClick);
}

void ContinuousRecordForm::Connect(QWidget* mainMenu, WaitDialog* wait) {
    mainMenu_ = mainMenu;
    wait_ = wait;
    if (wait_) {
        wait_->RegisterJob(
            TesterJob::Continuous, [this] { return ContinuousJob(); }, [this] { show(); });
    }
    LOG_DOWN_LOAD->setEnabled(wait_ != nullptr);
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
    for (QPushButton* button : {LOG_DOWN_LOAD, LOG_FILE_SAVE_BTN, CSV_OPEN_BTN, GRAPH_BTN, MODORU_BTN}) {
        button->move(client - button->width() - ButtonMargin, button->y());
    }
    continuation_data->setGeometry(0, 0, std::max(0, client - ButtonWidth - 2 * ButtonMargin), height());
}

void ContinuousRecordForm::hideEvent(QHideEvent* event) {
    FormBase::hideEvent(event);
    if (!event->spontaneous()) {
        ChartForm->hide();
    }
}

void ContinuousRecordForm::ShowTable(ContinuousTable table) {
    model_->SetTable(std::move(table));
    const ContinuousTable& shown = model_->Table();
    GRAPH_BTN->setEnabled(shown.RowCount() > ContinuousTable::HeaderRows && shown.ColumnCount() > 0);
    ChartForm->SetTable(shown);
}

void ContinuousRecordForm::LOG_DOWN_LOADClick() {
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
        LOG_FILE_SAVE_BTN->setEnabled(true);
    }
    show();
    return false;
}

void ContinuousRecordForm::LOG_FILE_SAVE_BTNClick() {
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

void ContinuousRecordForm::CSV_OPEN_BTNClick() {
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

void ContinuousRecordForm::GRAPH_BTNClick() {
    ChartForm->ShowChart();
}

void ContinuousRecordForm::MODORU_BTNClick() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
