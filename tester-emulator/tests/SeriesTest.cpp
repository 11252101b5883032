// A generated continuous record: the size a scenario asks for, made row by row when a range is asked for.
#include "EmulatorFixture.h"

#include <sys/resource.h>

using namespace emutest;

namespace {

// The cells the README promises: the record number, then (n * j * 7 + j * 13) mod 1000 for column j.
std::string Record(long long n, int columns) {
    std::string row = std::to_string(n);
    for (long long j = 1; j < columns; ++j) {
        row += "," + std::to_string(((n * j * 7 + j * 13) % 1000 + 1000) % 1000);
    }
    return row + ";";
}

TEST_F(EmulatorTest, GeneratedSeriesAnswersRangeHeadersAndRecords) {
    UseScenario(R"({"continuous": {"first": -2, "generate": {"rows": 400, "columns": 3}}})");
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CD").data, "MIN=-2,MAX=397,");
    EXPECT_EQ(Ask(*link, "DG", "ITEM").data, "No.," + Sjis("項目1,項目2;,単位1,単位2;"));
    EXPECT_EQ(Ask(*link, "DG", "MIN=-2,MAX=0").data, "-2,999,998;-1,6,12;0,13,26;\r");
    EXPECT_EQ(Ask(*link, "DG", "MIN=396,MAX=397").data, Record(396, 3) + Record(397, 3) + "\r");
    EXPECT_EQ(Ask(*link, "DG", "MIN=397,MAX=398").status, "A006");
}

TEST_F(EmulatorTest, GeneratedSeriesKeepsGivenHeaders) {
    UseScenario(R"({"continuous": {"items": [["番号", "回転"], ["", "rpm"]], "generate": {"rows": 2, "columns": 2}}})");
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "DG", "ITEM").data, Sjis("番号,回転;,rpm;"));
    EXPECT_EQ(Ask(*link, "DG", "MIN=1,MAX=2").data, "1,20;2,27;\r");
}

// The most this process has held in memory so far (the emulator runs inside it).
long PeakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A series of ten million rows costs nothing until asked for; a range too long for one frame is refused
// without making the whole range. Made whole, even only as text, the series would take over 300 MB.
TEST_F(EmulatorTest, HugeGeneratedSeriesIsMadeOnlyWhereAskedFor) {
    UseScenario(R"({"continuous": {"generate": {"rows": 10000000, "columns": 8}}})");
    const long before = PeakResidentKilobytes();
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CD").data, "MIN=1,MAX=10000000,");
    EXPECT_EQ(Ask(*link, "DG", "MIN=10000000,MAX=10000000").data, Record(10000000, 8) + "\r");
    EXPECT_EQ(Ask(*link, "DG", "MIN=1,MAX=10000000").status, "A008");
    EXPECT_LT(PeakResidentKilobytes() - before, 32 * 1024);
}

TEST_F(EmulatorTest, GeneratedSeriesOfNoRowsHoldsNoRecord) {
    UseScenario(R"({"continuous": {"generate": {"rows": 0, "columns": 4}}})");
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CD").data, "MIN=1,MAX=0,");
    EXPECT_EQ(Ask(*link, "DG", "MIN=1,MAX=1").status, "A006");
}

struct BadSeries {
    const char* name;
    const char* json;
    const char* message;
};

class BadSeriesTest : public EmulatorTest, public ::testing::WithParamInterface<BadSeries> {};

TEST_P(BadSeriesTest, MeansNoTesterAndSaysWhy) {
    UseScenario(GetParam().json);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(lib.Open(), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(GetParam().message), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(
    Schema, BadSeriesTest,
    ::testing::Values(BadSeries{"RowsAndGenerate", R"({"continuous": {"rows": ["1"], "generate": {"rows": 1}}})",
                                "has both \"rows\" and \"generate\""},
                      BadSeries{"NoColumns", R"({"continuous": {"generate": {"rows": 1, "columns": 0}}})",
                                "continuous.generate.columns: must be between 1 and 1000"},
                      BadSeries{"UnknownKey", R"({"continuous": {"generate": {"row": 1}}})",
                                "continuous.generate: unknown key \"row\""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
