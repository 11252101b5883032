// The table of a continuous record: cells kept as the bytes the tester sent (CP932), row by row.
//
// Built for large series (100,000 records of several columns) and for files of any shape: all cell bytes live in
// one pool, each cell is an offset and a length into it, and the cells of all rows lie one row after the other.
// A row holds the cells it was given: a short record or CSV line stays short, and the cells it lacks read empty
// and cost nothing, so memory follows what was read, never rows times the widest row. Rows 0 and 1 are the
// tester's header rows and column 0 its fixed column; the table only reports that, the view fixes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

class ContinuousTable {
public:
    // Rows and columns the view keeps fixed: the two header rows and the first column.
    static constexpr int HeaderRows = 2;
    static constexpr int FixedColumns = 1;

    int RowCount() const { return static_cast<int>(rowStarts_.size()); }
    // The width of the widest row (or the width set by Resize).
    int ColumnCount() const { return columns_; }
    bool Empty() const { return RowCount() == 0 || columns_ == 0; }
    // The fixed rows and columns of this table as shown: the header rows and the first column, as far as the
    // table has them (a file of one line has one header row).
    int FixedRowCount() const { return RowCount() < HeaderRows ? RowCount() : HeaderRows; }
    int FixedColumnCount() const { return columns_ < FixedColumns ? columns_ : FixedColumns; }
    // The cells the row holds (0 outside the table); the row's cells beyond it read empty.
    int RowWidth(int row) const;

    // The cell's bytes as stored; empty outside the table and beyond the row's width.
    std::string_view Cell(int row, int column) const {
        const auto index = Index(row, column);
        return index ? std::string_view(pool_).substr(cells_[*index].offset, cells_[*index].length)
                     : std::string_view();
    }
    // The cell decoded for showing (UTF-8).
    std::string CellText(int row, int column) const;
    // The cell read as a number (blanks around it allowed), or nothing when it is not one.
    std::optional<double> CellNumber(int row, int column) const;
    // A column's name for a chart legend: its two header cells, decoded and joined by a space when both are set.
    std::string ColumnTitle(int column) const;

    // Sets a cell the row holds; false (and nothing changes) beyond the row's width or when the table cannot hold
    // more.
    bool SetCell(int row, int column, std::string_view bytes);
    // Adds a row without cells after the last one; false when the table cannot hold more rows.
    bool AppendRow();
    // Adds a cell at the end of the last row, widening the table when that row becomes its widest; false when
    // there is no row or the table cannot hold more.
    bool AppendCell(std::string_view bytes);
    // Makes the table a grid of rows x columns: every row then holds `columns` cells, those inside both the old
    // and the new size keep their content, new cells are empty. It costs rows x columns cells, so it is for
    // tables built cell by cell, never for the shape of what a file or the tester sent.
    void Resize(int rows, int columns);
    // Makes the table empty (no rows, no columns) and releases its memory.
    void Clear();
    // Reserves room for the rows, cells and cell bytes that a caller is about to append.
    void Reserve(std::size_t rows, std::size_t cells, std::size_t bytes);

    // Memory the table holds, in bytes.
    std::size_t MemoryBytes() const;

private:
    struct CellRef {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    std::size_t RowEnd(int row) const {
        return row + 1 < RowCount() ? rowStarts_[static_cast<std::size_t>(row) + 1] : cells_.size();
    }
    // The index of a cell the row holds, or nothing.
    std::optional<std::size_t> Index(int row, int column) const {
        if (row < 0 || column < 0 || row >= RowCount()) {
            return std::nullopt;
        }
        const std::size_t index = rowStarts_[static_cast<std::size_t>(row)] + static_cast<std::size_t>(column);
        return index < RowEnd(row) ? std::optional<std::size_t>(index) : std::nullopt;
    }
    bool PoolHasRoomFor(std::size_t bytes) const;

    int columns_ = 0;
    std::vector<std::size_t> rowStarts_; // each row's first cell in cells_
    std::vector<CellRef> cells_;         // row after row
    std::string pool_;
};

// A point of a chart series: the record's position (1 for the first record row) and its value.
struct SeriesPoint {
    int record;
    double value;
};

// The numeric cells of a column below the header rows, in record order; cells that are no number are skipped.
std::vector<SeriesPoint> NumericSeries(const ContinuousTable& table, int column);

} // namespace vanto
