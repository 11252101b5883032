// The continuous-record table on screen: a model over the Qt-free table and the view that shows it.
//
// The tester's two header rows become the column headers and its first column the row headers, so both stay in
// place while the records scroll and are drawn as headers. Cells are decoded only when the view asks for them,
// which it does for the cells in sight; nothing is done per row, so 100,000 records scroll like ten.
#pragma once

#include "continuous/ContinuousTable.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace vanto {

class ContinuousTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContinuousTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    const ContinuousTable& Table() const { return table_; }
    // Shows another table (new sizes, new cells).
    void SetTable(ContinuousTable table);

    // Records below the header rows, and the columns right of the fixed column.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Horizontal: the column's header rows, one line each; vertical: the record's cell in the fixed column.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The fixed column's header rows (shown in the corner), one line each.
    QString CornerText() const;

private:
    QString HeaderText(int column) const;

    ContinuousTable table_;
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
};

// The grid: lines between the cells, user-resizable columns of 96 pixels, range selection, no Tab stop; the
// corner above the row headers shows the fixed column's header rows.
class ContinuousGridView final : public QTableView {
    Q_OBJECT
public:
    explicit ContinuousGridView(QWidget* parent = nullptr);
    void setModel(QAbstractItemModel* model) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row headers are at least as wide as the corner's text, each column as wide as its header rows.
    void FitHeaders();

    QWidget* corner_ = nullptr;
};

} // namespace vanto
