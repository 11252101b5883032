// The continuous record's parsing, request sizes and CSV files, without a tester.
#include "continuous/ContinuousRecord.h"

#include "common/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace vanto;
using namespace vanto::test;

namespace {

// The table's cells, each row's cells joined by "|", rows by "/".
std::string Dump(const ContinuousTable& table) {
    std::string out;
    for (int r = 0; r < table.RowCount(); ++r) {
        for (int c = 0; c < table.ColumnCount(); ++c) {
            out += std::string(c ? "|" : (r ? "/" : "")) + std::string(table.Cell(r, c));
        }
    }
    return out;
}

struct ParseCase {
    const char* name;
    std::string answer;
    std::string table;
};
void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class ItemRows : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ItemRows, ParseIntoTheTwoHeaderRows) {
    const ContinuousTable table = ParseItemRows(GetParam().answer);
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(Dump(table), GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(Answers, ItemRows,
                         ::testing::Values(ParseCase{"TwoRows", "No.,a;,rpm;", "No.|a/|rpm"},
                                           ParseCase{"WidthOfRowOne", "a,b,c;d,e;", "a|b/d|e"},
                                           ParseCase{"ThirdRowIgnored", "a;b;c;", "a/b"},
                                           ParseCase{"RowOneWithoutEnd", "a,b;c,d", "a|b/c|d"},
                                           ParseCase{"ZeroByteEnds", std::string("a,b;c\0d,e;", 10), "a/c"},
                                           ParseCase{"CarriageReturnIsText", "a\r;b;", "a\r/b"},
                                           ParseCase{"Empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

class Records : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Records, AppendAfterTheHeaderRows) {
    ContinuousTable table = ParseItemRows("H1,H2;U1,U2;");
    AppendRecords(table, GetParam().answer);
    EXPECT_EQ(Dump(table), "H1|H2/U1|U2" + GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(Answers, Records,
                         ::testing::Values(ParseCase{"EndedByCr", "1,a;2,b;\r", "/1|a/2|b"},
                                           ParseCase{"ExtraFieldsDropped", "1,a,x;2;", "/1|a/2|"},
                                           ParseCase{"EmptyRecords", ";;", "/|/|"},
                                           ParseCase{"CutRecordIsNoRow", "1,a;2,", "/1|a"},
                                           ParseCase{"CrEndsTheAnswer", "1,a\r;2,b;", ""},
                                           ParseCase{"ZeroByteEndsTheAnswer",
                                                     std::string("1;\0"
                                                                 "2;",
                                                                 5),
                                                     "/1|"},
                                           // The header rows and no record: the table is the two header rows.
                                           ParseCase{"NoRecord", "\r", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ContinuousRecord, CsvBytesAreTheCellsAsReceived) {
    ContinuousTable table = ParseItemRows(Sjis("No.,回転数;,ｒｐｍ;"));
    AppendRecords(table, "1,750;2,\x82\xFF;\r"); // a damaged double-byte character stays as it came
    const std::string expected = "No.," + Sjis("回転数") + ",\r\n," + Sjis("ｒｐｍ") + ",\r\n1,750,\r\n2,\x82\xFF,\r\n";
    EXPECT_EQ(CsvBytes(table), expected);
    TempFolder folder;
    ASSERT_TRUE(SaveCsvFile(table, PathToUtf8(folder / "連続.CSV")));
    EXPECT_EQ(ReadBytes(folder / "連続.CSV"), expected);
    EXPECT_FALSE(SaveCsvFile(table, PathToUtf8(folder / "連続.CSV" / "x.CSV")));
}

TEST(ContinuousRecord, SavedTableReadsBackOneColumnWider) {
    ContinuousTable table;
    table.Resize(10, 6);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 6; ++c) {
            table.SetCell(r, c, std::to_string(r * 10 + c));
        }
    }
    table.SetCell(9, 5, "");
    const ContinuousTable back = ParseCsv(CsvBytes(table));
    ASSERT_EQ(back.RowCount(), 10);
    ASSERT_EQ(back.ColumnCount(), 7);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(back.Cell(r, c), table.Cell(r, c));
        }
        EXPECT_EQ(back.Cell(r, 6), "");
    }
}

class Csv : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Csv, ReadsAsItSplits) {
    EXPECT_EQ(Dump(ParseCsv(GetParam().answer)), GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Csv,
    ::testing::Values(ParseCase{"CommaInACellReadsAsTwoCells", "a,b,\r\n", "a|b|"},
                      ParseCase{"WidestLineGivesTheColumns", "a,\r\nb,c,d,\r\n", "a|||/b|c|d|"},
                      ParseCase{"LastLineWithoutLineEnd", "a,\r\nb,c", "a|/b|c"},
                      ParseCase{"LineFeedOnly", "a\nb\n", "a/b"}, ParseCase{"EmptyLine", "a\r\n\r\nb\r\n", "a//b"},
                      ParseCase{"EmptyFile", "", ""},
                      ParseCase{"LongFieldKeptWhole", std::string(300, 'x') + ",y", std::string(300, 'x') + "|y"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ContinuousRecord, UnreadableCsvFileOpensNothing) {
    TempFolder folder;
    EXPECT_FALSE(OpenCsvFile(PathToUtf8(folder / "missing.CSV")));
    EXPECT_FALSE(OpenCsvFile(folder.Dir()));
    WriteBytes(folder / "empty.CSV", "");
    const auto empty = OpenCsvFile(PathToUtf8(folder / "empty.CSV"));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->Empty());
    EXPECT_EQ(empty->FixedRowCount(), 0);
}

TEST(ContinuousRecord, ChartSeriesSkipsCellsThatAreNoNumber) {
    const ContinuousTable table = ParseCsv(Sjis("No.,回転\r\n,rpm\r\n1,750\r\n2,abc\r\n3, -7.5 \r\n4,\r\n5,1e2\r\n"));
    EXPECT_EQ(table.ColumnTitle(1), "回転 rpm");
    EXPECT_EQ(table.ColumnTitle(0), "No.");
    const auto points = NumericSeries(table, 1);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].record, 1);
    EXPECT_EQ(points[0].value, 750);
    EXPECT_EQ(points[1].record, 3);
    EXPECT_EQ(points[1].value, -7.5);
    EXPECT_EQ(points[2].record, 5);
    EXPECT_EQ(points[2].value, 100);
}

TEST(ContinuousRecord, ResizeKeepsTheCellsInsideBothSizes) {
    ContinuousTable table = ParseCsv("a,b\r\nc,d\r\n");
    table.Resize(3, 3);
    EXPECT_EQ(Dump(table), "a|b|/c|d|/||");
    table.SetCell(0, 1, "longer text");
    table.SetCell(0, 1, "B");
    EXPECT_EQ(Dump(table), "a|B|/c|d|/||");
    table.Resize(2, 1);
    EXPECT_EQ(Dump(table), "a/c");
    EXPECT_FALSE(table.SetCell(2, 0, "outside"));
}

} // namespace
