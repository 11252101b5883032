// The table of a continuous record: cells kept as the bytes the tester sent (CP932), rows by columns.
//
// Built for large series (100,000 records of several columns): all cell bytes live in one pool and each cell is
// an offset and a length into it, so an empty cell costs eight bytes and nothing else. Rows 0 and 1 are the
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

    int RowCount() const { return rows_; }
    int ColumnCount() const { return columns_; }
    bool Empty() const { return rows_ == 0 || columns_ == 0; }
    // The fixed rows and columns of this table as shown: the header rows and the first column, as far as the
    // table has them (a file of one line has one header row).
    int FixedRowCount() const { return rows_ < HeaderRows ? rows_ : HeaderRows; }
    int FixedColumnCount() const { return columns_ < FixedColumns ? columns_ : FixedColumns; }

    // The cell's bytes as stored; empty outside the table.
    std::string_view Cell(int row, int column) const;
    // The cell decoded for showing (UTF-8).
    std::string CellText(int row, int column) const;
    // The cell read as a number (blanks around it allowed), or nothing when it is not one.
    std::optional<double> CellNumber(int row, int column) const;
    // A column's name for a chart legend: its two header cells, decoded and joined by a space when both are set.
    std::string ColumnTitle(int column) const;

    // Sets the cell's bytes; false (and nothing changes) outside the table or when the table cannot hold more.
    bool SetCell(int row, int column, std::string_view bytes);
    // Changes the size; cells inside both the old and the new size keep their content, new cells are empty.
    void Resize(int rows, int columns);
    // Makes the table empty (no rows, no columns) and releases its memory.
    void Clear();
    // Reserves room for a number of rows and cell bytes that a caller expects.
    void Reserve(int rows, std::size_t bytes);

    // Memory the table holds, in bytes (for the benchmark).
    std::size_t MemoryBytes() const;

private:
    struct CellRef {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    std::size_t Index(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    }
    bool Inside(int row, int column) const { return row >= 0 && column >= 0 && row < rows_ && column < columns_; }

    int rows_ = 0;
    int columns_ = 0;
    std::vector<CellRef> cells_; // row by row
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
