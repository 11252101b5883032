// Continuous records: the header and record answers parse on any bytes, memory follows the input however wide its
// rows, and a table written as CSV reads back with the same cells plus one empty last cell per row.
#include "FuzzCheck.h"
#include "continuous/ContinuousRecord.h"

#include <string>
#include <string_view>

namespace {

// Rows, cells and their bytes each cost a few words per input byte at most (vectors may hold twice what they
// use); rows times the widest row would not fit.
bool MemoryFollowsInput(const vanto::ContinuousTable& table, std::size_t inputBytes) {
    return table.MemoryBytes() <= 64 * inputBytes + 1024;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view items = input.substr(0, split);
    const std::string_view records = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    vanto::ContinuousTable table = vanto::ParseItemRows(items);
    FUZZ_CHECK(table.RowCount() == 2);
    vanto::AppendRecords(table, records);
    FUZZ_CHECK(MemoryFollowsInput(table, size));
    (void)vanto::ParseRecordRange(input);
    const vanto::ContinuousTable file = vanto::ParseCsv(input);
    FUZZ_CHECK(MemoryFollowsInput(file, size));

    // Cells that hold no line end round-trip exactly (the parsers never keep "," in a cell; a line end inside a
    // cell cannot be carried by the unquoted CSV, whose layout is fixed).
    if (table.Empty()) {
        return 0;
    }
    for (int r = 0; r < table.RowCount(); ++r) {
        FUZZ_CHECK(table.RowWidth(r) <= table.ColumnCount());
        for (int c = 0; c < table.RowWidth(r); ++c) {
            FUZZ_CHECK(table.Cell(r, c).find(',') == std::string_view::npos);
            if (table.Cell(r, c).find_first_of("\r\n") != std::string_view::npos) {
                return 0;
            }
        }
    }
    const vanto::ContinuousTable back = vanto::ParseCsv(vanto::CsvBytes(table));
    FUZZ_CHECK(back.RowCount() == table.RowCount());
    FUZZ_CHECK(back.ColumnCount() == table.ColumnCount() + 1);
    for (int r = 0; r < table.RowCount(); ++r) {
        FUZZ_CHECK(back.RowWidth(r) == table.RowWidth(r) + 1);
        for (int c = 0; c < table.RowWidth(r); ++c) {
            FUZZ_CHECK(back.Cell(r, c) == table.Cell(r, c));
        }
        FUZZ_CHECK(back.Cell(r, table.RowWidth(r)).empty());
    }
    return 0;
}
