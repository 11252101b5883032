#include "continuous/ui/ContinuousGrid.h"

#include "common/ui/FormHelpers.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

#include <algorithm>
#include <utility>

namespace vanto {

void ContinuousTableModel::SetTable(ContinuousTable table) {
    beginResetModel();
    table_ = std::move(table);
    fixedRows_ = table_.FixedRowCount();
    fixedColumns_ = table_.FixedColumnCount();
    endResetModel();
}

int ContinuousTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.RowCount() - fixedRows_;
}

int ContinuousTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.ColumnCount() - fixedColumns_;
}

QVariant ContinuousTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return Q(table_.CellText(index.row() + fixedRows_, index.column() + fixedColumns_));
}

QVariant ContinuousTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return HeaderText(section + fixedColumns_);
    }
    return fixedColumns_ > 0 ? Q(table_.CellText(section + fixedRows_, 0)) : QString::number(section + 1);
}

QString ContinuousTableModel::CornerText() const {
    return fixedColumns_ > 0 ? HeaderText(0) : QString();
}

QString ContinuousTableModel::HeaderText(int column) const {
    QStringList lines;
    for (int row = 0; row < fixedRows_; ++row) {
        lines << Q(table_.CellText(row, column));
    }
    return lines.join('\n');
}

ContinuousGridView::ContinuousGridView(QWidget* parent) : QTableView(parent) {
    setShowGrid(true);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::ClickFocus);
    setTabKeyNavigation(false);
    // Every row is as high as the others, so no row is measured; columns are sized by the user.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultSectionSize(96);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    // The corner is the header cell of the fixed column: the view's own corner button draws it with its text.
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_) {
        corner_->installEventFilter(this);
    }
}

void ContinuousGridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::modelReset, this, &ContinuousGridView::FitHeaders);
    }
    FitHeaders();
}

void ContinuousGridView::FitHeaders() {
    const auto* grid = qobject_cast<const ContinuousTableModel*>(model());
    int width = 0;
    for (const QString& line : (grid ? grid->CornerText() : QString()).split('\n')) {
        width = std::max(width, verticalHeader()->fontMetrics().horizontalAdvance(line));
    }
    verticalHeader()->setMinimumWidth(width + 12);
    // A column is as wide as its header rows need, and never narrower than the default. The header does not
    // update meanwhile: each resize would otherwise place every section again, which takes tens of seconds for a file
    // 200,000 columns wide.
    QHeaderView* columns = horizontalHeader();
    columns->setUpdatesEnabled(false);
    for (int column = 0; column < columns->count(); ++column) {
        const int wanted = std::max(columns->defaultSectionSize(), columns->sectionSizeHint(column));
        if (columns->sectionSize(column) != wanted) {
            columns->resizeSection(column, wanted);
        }
    }
    columns->setUpdatesEnabled(true);
}

bool ContinuousGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint) {
        return QTableView::eventFilter(watched, event);
    }
    const auto* grid = qobject_cast<const ContinuousTableModel*>(model());
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.textAlignment = Qt::AlignCenter;
    option.text = grid ? grid->CornerText() : QString();
    QPainter painter(corner_);
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
    return true;
}

} // namespace vanto
