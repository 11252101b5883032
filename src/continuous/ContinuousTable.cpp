#include "continuous/ContinuousTable.h"

#include "common/Sjis.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vanto {

std::string_view ContinuousTable::Cell(int row, int column) const {
    if (!Inside(row, column)) {
        return {};
    }
    const CellRef& cell = cells_[Index(row, column)];
    return std::string_view(pool_).substr(cell.offset, cell.length);
}

std::string ContinuousTable::CellText(int row, int column) const {
    return DecodeSjisForDisplay(Cell(row, column));
}

std::optional<double> ContinuousTable::CellNumber(int row, int column) const {
    std::string_view text = Cell(row, column);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string ContinuousTable::ColumnTitle(int column) const {
    std::string title = CellText(0, column);
    const std::string unit = CellText(1, column);
    if (!title.empty() && !unit.empty()) {
        title += ' ';
    }
    return title + unit;
}

bool ContinuousTable::SetCell(int row, int column, std::string_view bytes) {
    // Offsets are 32 bits: a table never holds 4 GB of text.
    if (!Inside(row, column) || bytes.size() > std::numeric_limits<uint32_t>::max() - pool_.size()) {
        return false;
    }
    CellRef& cell = cells_[Index(row, column)];
    if (bytes.size() <= cell.length) {
        // Fits where the old text was: no pool growth when cells are written again.
        pool_.replace(cell.offset, bytes.size(), bytes);
    } else {
        cell.offset = static_cast<uint32_t>(pool_.size());
        pool_.append(bytes);
    }
    cell.length = static_cast<uint32_t>(bytes.size());
    return true;
}

void ContinuousTable::Resize(int rows, int columns) {
    rows = rows < 0 ? 0 : rows;
    columns = columns < 0 ? 0 : columns;
    if (columns != columns_ && rows_ > 0 && columns_ > 0) {
        std::vector<CellRef> moved(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        const int keepRows = rows < rows_ ? rows : rows_;
        const int keepColumns = columns < columns_ ? columns : columns_;
        for (int r = 0; r < keepRows; ++r) {
            for (int c = 0; c < keepColumns; ++c) {
                moved[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)] =
                    cells_[Index(r, c)];
            }
        }
        cells_ = std::move(moved);
    } else {
        // Same width (or nothing to keep): rows are added or dropped at the end.
        cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    }
    rows_ = rows;
    columns_ = columns;
    if (cells_.empty()) {
        pool_.clear();
    }
}

void ContinuousTable::Clear() {
    rows_ = 0;
    columns_ = 0;
    std::vector<CellRef>().swap(cells_);
    std::string().swap(pool_);
}

void ContinuousTable::Reserve(int rows, std::size_t bytes) {
    if (rows > 0 && columns_ > 0) {
        cells_.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_));
    }
    pool_.reserve(bytes);
}

std::size_t ContinuousTable::MemoryBytes() const {
    return sizeof(*this) + cells_.capacity() * sizeof(CellRef) + pool_.capacity();
}

std::vector<SeriesPoint> NumericSeries(const ContinuousTable& table, int column) {
    std::vector<SeriesPoint> points;
    for (int row = ContinuousTable::HeaderRows; row < table.RowCount(); ++row) {
        if (const auto value = table.CellNumber(row, column)) {
            points.push_back({row - ContinuousTable::HeaderRows + 1, *value});
        }
    }
    return points;
}

} // namespace vanto
