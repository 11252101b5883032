// Downloading the continuous record from the emulated tester through the real link.
#include "continuous/ContinuousJob.h"

#include "support/Emulator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "tester/TesterLink.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vanto;
using namespace vanto::test;

namespace {

// The emulator's generated cell of record n, column j (see its README).
std::string Generated(long long n, int j) {
    return std::to_string(j == 0 ? n : ((n * j * 7 + j * 13) % 1000 + 1000) % 1000);
}

std::string Series(int rows, int columns, const std::string& more = "", int first = 1) {
    return R"({"continuous": {"first": )" + std::to_string(first) + R"(, "generate": {"rows": )" +
           std::to_string(rows) + R"(, "columns": )" + std::to_string(columns) + "}" + more + "}}";
}

class Download : public ::testing::Test {
protected:
    Download() { table = ParseCsv("old,table\r\n"); }
    void TearDown() override {
        link.reset();
        emulator.reset();
    }
    ContinuousDownload Run(const std::string& scenario) {
        emulator = std::make_unique<Emulator>(folder, scenario);
        link = std::make_unique<TesterLink>(dialogs, folder.Dir());
        EXPECT_EQ(link->ConnectTester("テスター"), LinkOk);
        return DownloadContinuous(*link, table, [this](int64_t block, int64_t blocks) {
            progress.push_back(std::to_string(block) + "/" + std::to_string(blocks));
        });
    }
    // The records requests in the transcript, as "first-last".
    std::vector<std::string> Requests() const {
        std::vector<std::string> requests;
        for (const auto& frame : emulator->Transcript()) {
            const auto min = frame.find("MIN=");
            if (frame.starts_with("PC> ") && frame.find("DG") != std::string::npos && min != std::string::npos) {
                const auto max = frame.find(",MAX=");
                const auto end = frame.find("\\x0D") - 2; // before the checksum characters
                requests.push_back(frame.substr(min + 4, max - min - 4) + "-" + frame.substr(max + 5, end - max - 5));
            }
        }
        return requests;
    }
    // The record numbers below the header rows hold the generated records first..last of each range, in order.
    void ExpectRecords(const std::vector<std::pair<int, int>>& ranges, int columns) {
        int row = 2;
        for (const auto& [first, last] : ranges) {
            for (int n = first; n <= last; ++n, ++row) {
                for (int j = 0; j < columns; j += columns - 1) {
                    ASSERT_EQ(table.Cell(row, j), Generated(n, j)) << "row " << row << " column " << j;
                }
            }
        }
        EXPECT_EQ(table.RowCount(), row);
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<Emulator> emulator;
    std::unique_ptr<TesterLink> link;
    ContinuousTable table;
    std::vector<std::string> progress;
};

struct RangeCase {
    const char* name;
    std::string scenario;
    std::vector<std::string> requests;
    int first, last, columns;
};
void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << c.name;
}

class Ranges : public Download, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(Ranges, RequestedBlockByBlockIntoTheTable) {
    const RangeCase& c = GetParam();
    const ContinuousDownload download = Run(c.scenario);
    EXPECT_EQ(download.result, ContinuousResult::Done);
    EXPECT_EQ(ContinuousResultMessage(download.result), nullptr);
    EXPECT_EQ(Requests(), c.requests);
    const std::string blocks = std::to_string(c.requests.size());
    ASSERT_EQ(progress.size(), c.requests.size());
    EXPECT_EQ(progress.front(), "1/" + blocks);
    EXPECT_EQ(progress.back(), blocks + "/" + blocks);
    EXPECT_EQ(table.ColumnCount(), c.columns);
    EXPECT_EQ(table.CellText(0, 0), "No.");
    EXPECT_EQ(table.CellText(1, 1), "単位1");
    ExpectRecords({{c.first, c.last}}, c.columns);
    EXPECT_TRUE(dialogs.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Series, Ranges,
    ::testing::Values(RangeCase{"FourHundred", Series(400, 5), {"1-187", "188-374", "375-400"}, 1, 400, 5},
                      RangeCase{"LastBlockOfOne", Series(375, 5), {"1-187", "188-374", "375-375"}, 1, 375, 5},
                      RangeCase{"MinEqualsMax", Series(1, 5, "", 5), {"5-5"}, 5, 5, 5},
                      // 11,264 / 9 / 701 * 0.9 would be no record per request.
                      RangeCase{"ManyColumns", Series(3, 700), {"1-1", "2-2", "3-3"}, 1, 3, 700},
                      RangeCase{"SmallBuffer",
                                R"({"opening": {"items": {"APP_V": "1", "BUFF": "1000", "APP_LOG": "80000000"}},)" +
                                    Series(150, 5).substr(1),
                                {"1-67", "68-134", "135-150"},
                                1,
                                150,
                                5}),
    [](const auto& info) { return std::string(info.param.name); });

class NoRecord : public Download, public ::testing::WithParamInterface<const char*> {};

TEST_P(NoRecord, LeavesTheTableAndAsksForNothingMore) {
    const ContinuousDownload download = Run(Series(10, 3, R"(, "range_data": ")" + std::string(GetParam()) + "\""));
    EXPECT_EQ(download.result, ContinuousResult::NoRecord);
    EXPECT_STREQ(ContinuousResultMessage(download.result), "診断機に連続記録ﾃﾞｰﾀが有りません");
    EXPECT_EQ(CsvBytes(table), "old,table,\r\n");
    for (const auto& frame : emulator->Transcript()) {
        EXPECT_EQ(frame.find("DG"), std::string::npos) << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, NoRecord, ::testing::Values("MIN=0,MAX=-1,", "MAX=3,", "MIN=1,", "MIN=5,MAX=4,", ""));

struct FailureCase {
    const char* name;
    const char* rule;
    ContinuousResult result;
    std::vector<std::pair<int, int>> records; // empty: the table as it was
    int requests;
    std::vector<std::string> messages; // shown by the link
};
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class Failures : public Download, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, AreReportedAtTheEndWithTheBlocksThatArrived) {
    const FailureCase& c = GetParam();
    const ContinuousDownload download =
        Run(Series(400, 5, "", 1).insert(1, std::string(R"("faults": {"rules": [)") + c.rule + "]},"));
    EXPECT_EQ(download.result, c.result);
    EXPECT_STREQ(ContinuousResultMessage(download.result), "正常な通信が出来ません！");
    EXPECT_EQ(download.requests, c.requests);
    EXPECT_EQ(static_cast<int>(Requests().size()), c.requests);
    if (c.records.empty()) {
        EXPECT_EQ(CsvBytes(table), "old,table,\r\n");
    } else {
        ExpectRecords(c.records, 5);
    }
    EXPECT_EQ(dialogs.Texts(), c.messages);
    link->CloseLink();
    EXPECT_EQ(dialogs.Texts(), c.messages);
    EXPECT_EQ(link->DeviceHandle, 0);
}

const auto Failed = ContinuousResult::SomeRequestFailed;
const std::vector<std::string> None;

INSTANTIATE_TEST_SUITE_P(
    Rules, Failures,
    ::testing::Values(
        FailureCase{
            "RangeRefused", R"({"command": "CD", "action": "error"})", ContinuousResult::StartFailed, {}, 0, None},
        FailureCase{"ItemsRefused",
                    R"({"command": "DG", "nth": 1, "action": "error"})",
                    ContinuousResult::StartFailed,
                    {},
                    0,
                    None},
        FailureCase{"FirstBlock", R"({"command": "DG", "nth": 2, "action": "error"})", Failed, {{188, 400}}, 3, None},
        FailureCase{"MiddleBlock",
                    R"({"command": "DG", "nth": 3, "action": "error"})",
                    Failed,
                    {{1, 187}, {375, 400}},
                    3,
                    None},
        FailureCase{"LastBlock", R"({"command": "DG", "nth": 4, "action": "error"})", Failed, {{1, 374}}, 3, None},
        FailureCase{"DamagedMiddleBlock",
                    R"({"command": "DG", "nth": 3, "action": "byte_ff", "offset": 1})",
                    Failed,
                    {{1, 187}, {375, 400}},
                    3,
                    None},
        // An unplugged tester ends the download with the link's message; nothing more is asked for or shown.
        FailureCase{"Unplugged",
                    R"({"command": "DG", "nth": 3, "action": "unplug_in_read"})",
                    Failed,
                    {{1, 187}},
                    2,
                    {"ターゲットデバイスが外されました!"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Download, CapabilityIsBit31OfAppLog) {
    for (const auto& [appLog, supported] : {std::pair{"7FFFFFFF", false}, std::pair{"80000000", true}}) {
        TempFolder program;
        Emulator tester(program,
                        std::string(R"({"opening": {"items": {"APP_V": "1", "APP_LOG": ")") + appLog + "\"}}}");
        TesterLink testerLink(dialogs, program.Dir());
        ASSERT_EQ(testerLink.ConnectTester("テスター"), LinkOk);
        EXPECT_EQ(SupportsContinuousRecords(testerLink.AppLog), supported) << appLog;
        testerLink.CloseLink();
    }
    EXPECT_NE(std::string(ContinuousCapabilityText).find("連続記録読出し機能が対応していません。"), std::string::npos);
}

} // namespace
