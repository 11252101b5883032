// A read-only table of texts with column titles, for lists of thousands of rows (no widget item per cell).
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace vanto {

class TextTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    TextTableModel(QStringList titles, QObject* parent);

    void SetRows(std::vector<QStringList> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList titles_;
    std::vector<QStringList> rows_;
};

} // namespace vanto
