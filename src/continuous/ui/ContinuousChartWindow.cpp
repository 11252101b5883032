#include "continuous/ui/ContinuousChartWindow.h"

#include "common/Dialogs.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "common/ui/FormHelpers.h"
#include "continuous/ContinuousRecord.h"
#include "continuous/SeriesSampling.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>

#include <algorithm>

using namespace vanto;

namespace {

constexpr const char* PngFilter = "PNGファイル|*.png";
// The window's title, and what a screen reader calls the chart in it.
constexpr const char* ChartTitle = "連続記録のグラフ";
// Columns offered for the chart. A chart of more lines cannot be read, and a check box for every column of a file
// thousands of columns wide would cost far more than its table.
constexpr int MaxChartColumns = 500;

// The chart view zooms with the wheel around the point under the mouse; dragging a rectangle zooms into it and a
// right click zooms out (the view's rubber band).
class ZoomingChartView final : public QChartView {
public:
    using QChartView::QChartView;

protected:
    void wheelEvent(QWheelEvent* event) override {
        const int steps = event->angleDelta().y();
        if (steps == 0 || !chart()) {
            event->ignore();
            return;
        }
        const qreal factor = steps > 0 ? 1.25 : 0.8;
        const QRectF area = chart()->plotArea();
        const QPointF at = event->position();
        if (!area.contains(at)) {
            chart()->zoom(factor);
        } else {
            // The point under the mouse stays where it is.
            const QRectF zoomed(at.x() - (at.x() - area.left()) / factor, at.y() - (at.y() - area.top()) / factor,
                                area.width() / factor, area.height() / factor);
            chart()->zoomIn(zoomed);
        }
        event->accept();
    }
};

} // namespace

ContinuousChartWindow::ContinuousChartWindow(const FormContext& context, QWidget* owner)
    : QWidget(owner, Qt::Window), context_(context) {
    setObjectName("ContinuousChartWindow");
    setWindowTitle(ChartTitle);
    setFont(FixedFont(13));

    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    axisX_ = new QValueAxis;
    axisX_->setObjectName("axisX");
    axisX_->setTitleText("記録");
    axisX_->setLabelFormat("%d");
    axisY_ = new QValueAxis;
    axisY_->setObjectName("axisY");
    axisY_->setLabelFormat("%g");
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    chartView_ = new ZoomingChartView(chart_, this);
    chartView_->setObjectName("chartView");
    chartView_->setAccessibleName(ChartTitle);
    chartView_->setRubberBand(QChartView::RectangleRubberBand);
    chartView_->setMinimumSize(480, 320);
    // Zooming in shows more of the points, zooming out fewer.
    connect(axisX_, &QValueAxis::rangeChanged, this, &ContinuousChartWindow::Sample);

    checkList_ = new QWidget;
    checkLayout_ = new QVBoxLayout(checkList_);
    checkLayout_->setContentsMargins(6, 6, 6, 6);
    checkLayout_->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("columnList");
    scroll->setWidget(checkList_);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(180);
    scroll->setMaximumWidth(260);
    QLabel* columnsLabel = MakeLabel(this, "表示する項目");

    QLabel* hint = MakeLabel(this, "ドラッグした範囲を拡大、ホイールで拡大・縮小、右クリックで縮小");
    zoomResetButton_ = MakeButton(this, "zoomResetButton", "全体表示");
    savePngButton_ = MakeButton(this, "savePngButton", "PNG保存");
    closeButton_ = MakeButton(this, "closeButton", "閉じる");
    for (QPushButton* button : {zoomResetButton_, savePngButton_, closeButton_}) {
        button->setMinimumWidth(110);
    }

    auto* columns = new QVBoxLayout;
    columns->addWidget(columnsLabel);
    columns->addWidget(scroll);
    auto* top = new QHBoxLayout;
    top->addLayout(columns);
    top->addWidget(chartView_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(zoomResetButton_);
    buttons->addWidget(savePngButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(960, 600);

    connect(zoomResetButton_, &QPushButton::clicked, this, &ContinuousChartWindow::ResetZoom);
    connect(savePngButton_, &QPushButton::clicked, this, &ContinuousChartWindow::ChooseFileAndSavePng);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::hide);
}

void ContinuousChartWindow::SetTable(const ContinuousTable& table) {
    table_ = &table;
    for (QCheckBox* check : columnChecks_) {
        delete check;
    }
    columnChecks_.clear();
    // The fixed column numbers the records, which the x axis already does.
    const int columns = std::min(table.ColumnCount(), table.FixedColumnCount() + MaxChartColumns);
    for (int column = table.FixedColumnCount(); column < columns; ++column) {
        const std::string title = table.ColumnTitle(column);
        auto* check = new QCheckBox(Q(title.empty() ? "列" + std::to_string(column + 1) : title), checkList_);
        check->setObjectName(QString("columnCheck%1").arg(column));
        check->setAccessibleName(check->text());
        check->setProperty("column", column);
        check->setChecked(columnChecks_.empty());
        connect(check, &QCheckBox::toggled, this, &ContinuousChartWindow::Plot);
        checkLayout_->insertWidget(checkLayout_->count() - 1, check);
        columnChecks_.push_back(check);
    }
    Plot();
}

void ContinuousChartWindow::ShowChart() {
    show();
    raise();
    activateWindow();
}

void ContinuousChartWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (plotPending_) {
        Plot();
    }
}

void ContinuousChartWindow::Plot() {
    if (!isVisible()) {
        plotPending_ = true;
        return;
    }
    plotPending_ = false;
    chart_->zoomReset();
    chart_->removeAllSeries();
    lines_.clear();
    int records = 1;
    double low = 0;
    double high = 0;
    bool any = false;
    for (const QCheckBox* check : columnChecks_) {
        if (!check->isChecked() || !table_) {
            continue;
        }
        Line line{new QLineSeries, NumericSeries(*table_, check->property("column").toInt())};
        for (const SeriesPoint& point : line.points) {
            low = any ? std::min(low, point.value) : point.value;
            high = any ? std::max(high, point.value) : point.value;
            any = true;
            records = std::max(records, point.record);
        }
        // Points are given last: the chart measures a line again whenever its axes change.
        line.series->setName(check->text());
        chart_->addSeries(line.series);
        line.series->attachAxis(axisX_);
        line.series->attachAxis(axisY_);
        lines_.push_back(std::move(line));
    }
    if (high == low) {
        // One value (or none): a band around it, so the line is not drawn on the frame.
        low -= 1;
        high += 1;
    }
    axisX_->setRange(1, std::max(records, 2));
    axisY_->setRange(low, high);
    axisY_->applyNiceNumbers();
    Sample();
}

void ContinuousChartWindow::Sample() {
    // Two points per pixel column of a wide plot at least; a narrower one gets the same.
    const int width = static_cast<int>(std::max(chart_->plotArea().width(), qreal{800}));
    for (const Line& line : lines_) {
        const std::vector<SeriesPoint> shown = SampleSeries(line.points, axisX_->min(), axisX_->max(), width);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(shown.size()));
        for (const SeriesPoint& point : shown) {
            points.append(QPointF(point.record, point.value));
        }
        line.series->replace(points);
    }
}

QStringList ContinuousChartWindow::ColumnNames() const {
    QStringList names;
    for (const QCheckBox* check : columnChecks_) {
        names.append(check->text());
    }
    return names;
}

void ContinuousChartWindow::ResetZoom() {
    chart_->zoomReset();
}

bool ContinuousChartWindow::SavePng(const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chartView_->grab().save(&buffer, "PNG")) {
        return false;
    }
    return WriteFileAtomic(PathFromUtf8(path), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void ContinuousChartWindow::ChooseFileAndSavePng() {
    Dialogs& dialogs = context_.Dialogs();
    FileDialogOptions options;
    options.filter = PngFilter;
    options.defaultExtension = "png";
    const auto file = dialogs.SaveFile(options);
    if (!file) {
        return;
    }
    if (FileExists(PathFromUtf8(*file)) && !dialogs.Confirm(DialogIcon::Question, CsvOverwriteQuestion)) {
        return;
    }
    if (!SavePng(*file)) {
        dialogs.Show(DialogIcon::Information, CsvWriteFailedText);
    }
}
