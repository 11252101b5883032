// A wide row among many short ones costs what was read: a CSV file or a tester answer with one very wide row opens
// within memory that follows its size, never rows times the widest row. A program of its own, because it counts
// every allocation: one that would take it above a ceiling is refused, so a table that grows with rows times
// columns fails here instead of filling the machine.
#include "common/Paths.h"
#include "continuous/ContinuousJob.h"
#include "continuous/ContinuousRecord.h"
#include "support/Emulator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "tester/TesterLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <functional>
#include <new>

namespace {

constexpr std::size_t Ceiling = std::size_t{1} << 30;
constexpr std::size_t MB = 1024 * 1024;
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};

// Each block carries its size in front, aligned as malloc aligns.
struct alignas(std::max_align_t) BlockHeader {
    std::size_t size;
};

void* Allocate(std::size_t size) {
    const std::size_t now = live.fetch_add(size) + size;
    BlockHeader* header = now > Ceiling ? nullptr : static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (!header) {
        live.fetch_sub(size);
        return nullptr;
    }
    for (std::size_t seen = peak.load(); now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
    header->size = size;
    return header + 1;
}

void Release(void* block) {
    if (block) {
        BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
        live.fetch_sub(header->size);
        std::free(header);
    }
}

// The most memory live at once while `run` ran, above what was live before it.
std::size_t PeakGrowth(const std::function<void()>& run) {
    const std::size_t before = live.load();
    peak.store(before);
    run();
    return peak.load() - before;
}

} // namespace

// The array and nothrow forms of new and delete call these.
void* operator new(std::size_t size) {
    if (void* block = Allocate(size)) {
        return block;
    }
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}

using namespace vanto;
using namespace vanto::test;

namespace {

TEST(WideInput, CsvFileOfOneWideLineAndManyEmptyOnesOpensAndSavesInMemoryOfItsSize) {
    // 200,000 commas on one line, then 200,000 empty lines: 600 KB, and 200,001 x 200,001 cells as a grid.
    const std::string wide(200'000, ',');
    std::string bytes = wide + "\r\n";
    for (int i = 0; i < 200'000; ++i) {
        bytes += "\r\n";
    }
    TempFolder folder;
    const std::string file = PathToUtf8(folder / "wide.CSV");
    WriteBytes(folder / "wide.CSV", bytes);

    std::optional<ContinuousTable> table;
    const std::size_t opening = PeakGrowth([&] { table = OpenCsvFile(file); });
    ASSERT_TRUE(table);
    EXPECT_LE(opening, table->MemoryBytes() + 50 * MB);
    EXPECT_LE(table->MemoryBytes(), 16 * bytes.size());
    ASSERT_EQ(table->RowCount(), 200'001);
    EXPECT_EQ(table->ColumnCount(), 200'001);
    EXPECT_EQ(table->RowWidth(0), 200'001);
    EXPECT_EQ(table->RowWidth(200'000), 1);
    EXPECT_EQ(table->Cell(200'000, 200'000), "");
    EXPECT_FALSE(table->SetCell(200'000, 1, "x")); // a cell the row does not hold costs nothing and takes nothing

    // Each line is saved with the cells it holds, as the rectangular tables always were.
    const std::size_t saving = PeakGrowth([&] { ASSERT_TRUE(SaveCsvFile(*table, PathToUtf8(folder / "back.CSV"))); });
    EXPECT_LE(saving, 50 * MB);
    std::string expected = wide + ",\r\n";
    for (int i = 0; i < 200'000; ++i) {
        expected += ",\r\n";
    }
    EXPECT_EQ(ReadBytes(folder / "back.CSV"), expected);
}

TEST(WideInput, TesterAnswerWithManyItemsAndManyRecordsDownloadsInMemoryOfItsSize) {
    // 30,001 items, then one request whose answer holds 30,001 empty records: 60 KB from the tester, and 30,003 x
    // 30,001 cells as a grid.
    const std::string scenario = R"({"continuous": {"item_data": "No.;)" + std::string(30'000, ',') +
                                 R"(;", "rows": [")" + std::string(30'000, ';') + R"("]}})";
    TempFolder folder;
    ScriptedDialogs dialogs;
    Emulator emulator(folder, scenario);
    TesterLink link(dialogs, folder.Dir());
    ASSERT_EQ(link.ConnectTester("テスター"), LinkOk);
    ContinuousTable table;
    ContinuousDownload download;
    const std::size_t growth = PeakGrowth([&] { download = DownloadContinuous(link, table); });
    EXPECT_EQ(download.result, ContinuousResult::Done);
    EXPECT_EQ(download.requests, 1);
    EXPECT_LE(growth, table.MemoryBytes() + 50 * MB);
    EXPECT_LE(table.MemoryBytes(), 16 * 2 * 64 * 1024);
    ASSERT_EQ(table.RowCount(), 2 + 30'001);
    EXPECT_EQ(table.ColumnCount(), 30'001);
    EXPECT_EQ(table.CellText(0, 0), "No.");
    EXPECT_EQ(table.RowWidth(0), 30'001); // the header rows name every column
    EXPECT_EQ(table.RowWidth(30'002), 1);
    EXPECT_EQ(table.Cell(30'002, 30'000), "");
    EXPECT_EQ(CsvBytes(table).size(), 2 * (30'001 + 2) + 30'001 * 3 + 3);
}

} // namespace
