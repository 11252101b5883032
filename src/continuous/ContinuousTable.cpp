#include "continuous/ContinuousTable.h"

#include "common/Sjis.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace vanto {

int ContinuousTable::RowWidth(int row) const {
    if (row < 0 || row >= RowCount()) {
        return 0;
    }
    return static_cast<int>(RowEnd(row) - rowStarts_[static_cast<std::size_t>(row)]);
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

bool ContinuousTable::PoolHasRoomFor(std::size_t bytes) const {
    // Offsets are 32 bits: a table never holds 4 GB of text.
    return bytes <= std::numeric_limits<uint32_t>::max() - pool_.size();
}

bool ContinuousTable::SetCell(int row, int column, std::string_view bytes) {
    const auto index = Index(row, column);
    if (!index || !PoolHasRoomFor(bytes.size())) {
        return false;
    }
    CellRef& cell = cells_[*index];
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

bool ContinuousTable::AppendRow() {
    if (RowCount() == std::numeric_limits<int>::max()) {
        return false;
    }
    rowStarts_.push_back(cells_.size());
    return true;
}

bool ContinuousTable::AppendCell(std::string_view bytes) {
    if (rowStarts_.empty() || !PoolHasRoomFor(bytes.size()) ||
        cells_.size() - rowStarts_.back() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return false;
    }
    cells_.push_back(CellRef{static_cast<uint32_t>(pool_.size()), static_cast<uint32_t>(bytes.size())});
    pool_.append(bytes);
    const int width = static_cast<int>(cells_.size() - rowStarts_.back());
    columns_ = width > columns_ ? width : columns_;
    return true;
}

void ContinuousTable::Resize(int rows, int columns) {
    rows = rows < 0 ? 0 : rows;
    columns = columns < 0 ? 0 : columns;
    const auto width = static_cast<std::size_t>(columns);
    std::vector<std::size_t> starts(static_cast<std::size_t>(rows));
    std::vector<CellRef> cells(static_cast<std::size_t>(rows) * width);
    for (int r = 0; r < rows; ++r) {
        const std::size_t start = static_cast<std::size_t>(r) * width;
        starts[static_cast<std::size_t>(r)] = start;
        const int keep = RowWidth(r) < columns ? RowWidth(r) : columns;
        for (int c = 0; c < keep; ++c) {
            cells[start + static_cast<std::size_t>(c)] = cells_[*Index(r, c)];
        }
    }
    rowStarts_ = std::move(starts);
    cells_ = std::move(cells);
    columns_ = columns;
    if (cells_.empty()) {
        pool_.clear();
    }
}

void ContinuousTable::Clear() {
    columns_ = 0;
    std::vector<std::size_t>().swap(rowStarts_);
    std::vector<CellRef>().swap(cells_);
    std::string().swap(pool_);
}

void ContinuousTable::Reserve(std::size_t rows, std::size_t cells, std::size_t bytes) {
    rowStarts_.reserve(rowStarts_.size() + rows);
    cells_.reserve(cells_.size() + cells);
    pool_.reserve(pool_.size() + bytes);
}

std::size_t ContinuousTable::MemoryBytes() const {
    return sizeof(*this) + rowStarts_.capacity() * sizeof(std::size_t) + cells_.capacity() * sizeof(CellRef) +
           pool_.capacity();
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
