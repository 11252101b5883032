// The chart of a continuous record: the records along the x axis, one line per chosen column (chosen with check
// boxes named by the column's header rows), numeric cells plotted and others left out. Dragging a rectangle or
// turning the wheel zooms, a right click zooms out, and the chart can be kept as a PNG file.
#pragma once

#include "common/ui/FormContext.h"
#include "continuous/ContinuousTable.h"

#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QLineSeries;
class QPushButton;
class QValueAxis;
class QVBoxLayout;

class ContinuousChartWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own, owned by `owner` (the continuous-record form).
    ContinuousChartWindow(const vanto::FormContext& context, QWidget* owner);

    // The table to chart (it stays the caller's): lists its columns with the first one chosen. Call it again
    // whenever the table changed.
    void SetTable(const vanto::ContinuousTable& table);
    // Shows the window in front.
    void ShowChart();
    // Writes the chart as it is shown into a PNG file, replacing it atomically; false when it cannot be written.
    bool SavePng(const std::string& path);

    // The columns offered for the chart, by the names on their check boxes, in the table's order.
    QStringList ColumnNames() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ChooseFileAndSavePng();
    void ResetZoom();
    // Draws one line per chosen column (only while shown; a hidden window draws when it is shown).
    void Plot();
    // Gives each line the points to draw for the records in sight.
    void Sample();

    struct Line {
        QLineSeries* series;
        std::vector<vanto::SeriesPoint> points; // every numeric cell of the column
    };
    std::vector<Line> lines_;
    QChartView* chartView_ = nullptr;
    QChart* chart_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    // One check box per column that can be charted ("columnCheck" + the column's number), for the first 500.
    std::vector<QCheckBox*> columnChecks_;
    QPushButton* zoomResetButton_ = nullptr;
    QPushButton* savePngButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    vanto::FormContext context_;
    const vanto::ContinuousTable* table_ = nullptr;
    QWidget* checkList_ = nullptr;
    QVBoxLayout* checkLayout_ = nullptr;
    bool plotPending_ = false;
};
