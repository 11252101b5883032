#include "reference/ReferenceJobs.h"
#include "reference/ReferenceTexts.h"

#include "common/Paths.h"
#include "tester/TesterLink.h"

#include "support/Emulator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>

using namespace vanto;
using namespace vanto::test;
using Lines = std::vector<std::string>;

namespace {

const char* const Unplugged = "ターゲットデバイスが外されました!";

std::string Pad(std::string bytes, std::size_t width) {
    bytes.resize(width, ' ');
    return bytes;
}

// A set of the scenario: header 21A03Bnn, vehicle "車nn", measurements IDL=nn.
std::string SetJson(int n) {
    const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
    return R"({"header": "21A03B)" + nn + R"(", "info": {"vehicle": "車)" + nn +
           R"(", "type": "DBA-XY12", "engine": "MR20", "year": "2019年", "mileage": "45210", "comment": "テスト用"},
              "payload": "IDL=)" +
           nn + R"(,", "values": ["アイドル回転数 )" + nn + R"(", "冷却水温 86℃"]})";
}

std::string Scenario(int sets, const std::string& extra = "", int capacity = 20) {
    std::string list;
    for (int n = 0; n < sets; ++n) {
        list += (n ? ", " : "") + SetJson(n);
    }
    return R"({"reference": {"capacity": )" + std::to_string(capacity) + R"(, "sets": [)" + list + "]}" +
           (extra.empty() ? "" : ", " + extra) + "}";
}

// A reference value file whose description text has the given header and vehicle name.
std::string FileBytes(const std::string& header, const std::string& vehicle) {
    const std::string record = Pad(vehicle, 20) + Pad("TYPE", 196);
    return "[INFO]\r\nDATA=" + record + "\r\n[DATA]\r\nDATA=" + header + record + "M=1,\n\r\n[VALUE]\r\nDATA=1,\n\r\n";
}

class Jobs : public ::testing::Test {
protected:
    void Use(const std::string& scenario) {
        emulator = std::make_unique<Emulator>(folder, scenario);
        link = std::make_unique<TesterLink>(dialogs, folder.Dir());
        ASSERT_EQ(link->ConnectTester("テスター"), LinkOk);
    }
    // Lists the sets on a fresh link, as the menu does after a job.
    Lines List() {
        link->CloseLink();
        EXPECT_EQ(link->ConnectTester("テスター"), LinkOk);
        return ListReferenceSets(*link).Entries;
    }
    // The frames the program sent with the given letters, without STX, checksum and line end.
    Lines Sent(const std::string& letters) const {
        Lines frames;
        for (const auto& line : emulator->Transcript()) {
            const std::string frame = Unescape(line.substr(4));
            if (line.starts_with("PC> ") && frame.substr(1, 2) == letters) {
                frames.push_back(frame.substr(1, frame.size() - 5));
            }
        }
        return frames;
    }
    std::string Work() const { return folder.Dir(); }
    void TearDown() override {
        link.reset();
        emulator.reset();
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<Emulator> emulator;
    std::unique_ptr<TesterLink> link;
};

struct ListCase {
    const char* name;
    std::string sets; // the scenario's "sets" array
    Lines entries;
    const char* lengthDigits; // of the answer
};

class Listing : public Jobs, public ::testing::WithParamInterface<ListCase> {};

TEST_P(Listing, OneEntryPerSlotUntilAZeroSlot) {
    Use(R"({"reference": {"sets": )" + GetParam().sets + "}}");
    const ReferenceList list = ListReferenceSets(*link);
    EXPECT_TRUE(list.Received);
    EXPECT_EQ(list.Entries, GetParam().entries);
    const Lines answers = emulator->Transcript();
    ASSERT_FALSE(answers.empty());
    EXPECT_EQ(Unescape(answers.back()).substr(4 + 7, 4), GetParam().lengthDigits);
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceJobs, Listing,
    ::testing::Values(
        ListCase{"TwoSlots", R"([{"name": "A"}, {"name": "軽トラック"}])", {"A", Sjis("軽トラック")}, "00A0"},
        ListCase{"ZeroSlotEndsTheList", R"([{"name": "A"}, {"name": {"hex": "00 41"}}, {"name": "C"}])", {"A"}, "00F0"},
        ListCase{"NoSet", "[]", {}, "0000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Jobs, SetTenIsSentAsFourHexDigitsToReadAndInDecimalToDelete) {
    Use(Scenario(11));
    const ReferenceRead read = ReadReferenceSet(*link, Work(), 10);
    EXPECT_TRUE(read.SaveArmed());
    ASSERT_TRUE(read.Info);
    EXPECT_EQ((*read.Info)[InfoField::VehicleName], Sjis("車10"));
    EXPECT_TRUE(DeleteReferenceSet(*link, 10));
    EXPECT_EQ(Sent("DF"), (Lines{std::string("DF0009000ADATA\0", 15), std::string("DF000A000AVALUE\0", 16)}));
    EXPECT_EQ(Sent("DD"), Lines{"DD000210"});
    EXPECT_EQ(List().size(), 10u);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(Jobs, ReadSaveAndWriteBackChangeOnlyTheDescription) {
    Use(Scenario(1));
    const ReferenceRead read = ReadReferenceSet(*link, Work(), 0);
    ASSERT_TRUE(read.SaveArmed());
    ReferenceInfo info = *read.Info;
    EXPECT_EQ(info.ToUtf8(), (std::array<std::string, 6>{"車00", "DBA-XY12", "MR20", "2019年", "45210", "テスト用"}));
    info.Fields[0] = Sjis("セダン");
    const std::string path = PathToUtf8(folder / "saved.DTKJ2");
    ASSERT_EQ(SaveReferenceFile(Work(), path, info), SaveResult::Saved);

    EXPECT_EQ(ReadSectionLine(path, "[DATA]", "DATA="), "21A03B00" + info.Record() + "IDL=00,\n");
    EXPECT_EQ(ReadSectionLine(path, "[VALUE]", "DATA="), Sjis("アイドル回転数 00,冷却水温 86℃,\n"));
    EXPECT_EQ(ReadReferenceFile(path).Info, info);

    const ReferenceWrite write = WriteReferenceFiles(*link, {path}, {}, [](int) {});
    EXPECT_EQ(write.Stop, WriteStop::AllWritten);
    EXPECT_EQ(Sent("DE"), Lines{"DE00E821A03B00" + info.Record() + "IDL=00,\n"});
    EXPECT_EQ(List(), (Lines{Sjis("車00 DBA-XY12 MR20"), Sjis("セダン DBA-XY12 MR20")}));
    EXPECT_TRUE(dialogs.Messages().empty());
}

struct FailedReadCase {
    const char* name;
    const char* rule;
    ReadOutcome outcome;
    Lines messages;
};

class FailedRead : public Jobs, public ::testing::WithParamInterface<FailedReadCase> {};

TEST_P(FailedRead, LeavesTheSaveUnarmedAndDataWkWhole) {
    Use(Scenario(2, std::string(R"("faults": {"rules": [)") + GetParam().rule + "]}"));
    ASSERT_TRUE(WriteWorkFile(Work(), WorkPass::Data, "21A03B99" + Pad("OLD", 216)));
    ASSERT_TRUE(WriteWorkFile(Work(), WorkPass::Value, "9,"));
    const ReferenceRead read = ReadReferenceSet(*link, Work(), 1);
    EXPECT_EQ(read.Outcome, GetParam().outcome);
    EXPECT_FALSE(read.SaveArmed());
    EXPECT_EQ(read.Info.has_value(), GetParam().outcome == ReadOutcome::ValuePassFailed);
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    // Each text in DATA.WK is a whole one: the old set's, or the new description after its pass.
    const auto data = ReadSectionLine(WorkFilePath(Work()), "[DATA]", "DATA=");
    EXPECT_EQ(data, read.Info ? "21A03B01" + read.Info->Record() + "IDL=01,\n" : "21A03B99" + Pad("OLD", 216) + "\n");
    EXPECT_EQ(ReadSectionLine(WorkFilePath(Work()), "[VALUE]", "DATA="), "9,\n");
}

INSTANTIATE_TEST_SUITE_P(ReferenceJobs, FailedRead,
                         ::testing::Values(FailedReadCase{"SecondPassRefused",
                                                          R"({"command": "DF", "nth": 2, "action": "error"})",
                                                          ReadOutcome::ValuePassFailed,
                                                          {}},
                                           FailedReadCase{"UnpluggedInFirstPass",
                                                          R"({"command": "DF", "nth": 1, "action": "unplug_in_read"})",
                                                          ReadOutcome::DataPassFailed,
                                                          {Unplugged}},
                                           FailedReadCase{"UnpluggedInSecondPass",
                                                          R"({"command": "DF", "nth": 2, "action": "unplug_in_read"})",
                                                          ReadOutcome::ValuePassFailed,
                                                          {Unplugged}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    std::string scenario;
    WriteStop stop;
    std::size_t written;
    std::size_t inTester; // new sets in the tester: an answer lost on the way back does not undo its write
    Lines messages;
    // Changes the picked files when file k's turn comes.
    void (*beforeTurn)(const TempFolder& folder, std::size_t k) = nullptr;
};

class Write : public Jobs, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(Write, ThreeFilesInOrderUntilTheFirstFailure) {
    Use(GetParam().scenario);
    Lines paths;
    Lines before;
    for (int i = 0; i < 3; ++i) {
        const std::string name = "w" + std::to_string(i) + ".DTKJ2";
        WriteBytes(folder / name, FileBytes("2B000000", "W" + std::to_string(i)));
        paths.push_back(PathToUtf8(folder / name));
        before.push_back(ReadBytes(folder / name));
    }
    std::vector<std::pair<std::size_t, std::size_t>> progress;
    std::vector<int> sleeps;
    const ReferenceWrite write = WriteReferenceFiles(
        *link, paths,
        [&](std::size_t k, std::size_t n) {
            progress.emplace_back(k, n);
            if (GetParam().beforeTurn) {
                GetParam().beforeTurn(folder, k);
            }
        },
        [&](int ms) { sleeps.push_back(ms); });

    EXPECT_EQ(write.Stop, GetParam().stop);
    EXPECT_EQ(write.Written, GetParam().written);
    EXPECT_EQ(link->LinkOpen, 0);
    EXPECT_EQ(dialogs.Texts(), GetParam().messages);
    // Files reached: all, or those written and the one that stopped the run.
    const std::size_t turns = GetParam().stop == WriteStop::AllWritten ? 3 : GetParam().written + 1;
    std::vector<std::pair<std::size_t, std::size_t>> expected;
    for (std::size_t k = 0; k < turns; ++k) {
        expected.emplace_back(k, 3);
    }
    EXPECT_EQ(progress, expected);
    EXPECT_EQ(sleeps, std::vector<int>(turns - 1, 80));
    // The sets went out in dialog order, each its file's description line; nothing after the failure.
    const Lines sent = Sent("DE");
    for (std::size_t k = 0; k < GetParam().written; ++k) {
        ASSERT_LT(k, sent.size());
        EXPECT_EQ(sent[k], "DE00E5" + *ReadSectionLine(paths[k], "[DATA]", "DATA="));
    }
    EXPECT_LE(sent.size(), turns);
    Lines names{Sjis("車00 DBA-XY12 MR20")};
    for (std::size_t k = 0; k < GetParam().inTester; ++k) {
        names.push_back("W" + std::to_string(k) + " TYPE");
    }
    EXPECT_EQ(List(), names);
    for (std::size_t k = 0; k < GetParam().written; ++k) {
        EXPECT_EQ(ReadBytes(paths[k]), before[k]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceJobs, Write,
    ::testing::Values(
        WriteCase{"AllThree", Scenario(1), WriteStop::AllWritten, 3, 3, {}},
        WriteCase{"AreaFullAtTheSecond", Scenario(1, "", 2), WriteStop::Refused, 1, 1, {}},
        WriteCase{"UnpluggedAtTheSecond",
                  Scenario(1, R"("faults": {"rules": [{"command": "DE", "nth": 2, "action": "unplug_in_read"}]})"),
                  WriteStop::NoAnswer,
                  1,
                  2,
                  {Unplugged}},
        WriteCase{"RemovedBeforeItsTurn",
                  Scenario(1),
                  WriteStop::FileUnreadable,
                  1,
                  1,
                  {},
                  [](const TempFolder& f, std::size_t k) {
                      if (k == 1) {
                          std::filesystem::remove(f / "w1.DTKJ2");
                      }
                  }},
        WriteCase{"BrokenBeforeItsTurn",
                  Scenario(1),
                  WriteStop::FileUnreadable,
                  2,
                  2,
                  {},
                  [](const TempFolder& f, std::size_t k) {
                      if (k == 2) {
                          WriteBytes(f / "w2.DTKJ2", FileBytes("F0000000", "W2"));
                      }
                  }},
        WriteCase{"TooLongToSendSendsNothing",
                  Scenario(1),
                  WriteStop::FileUnreadable,
                  1,
                  1,
                  {},
                  [](const TempFolder& f, std::size_t k) {
                      if (k == 1) {
                          WriteBytes(f / "w1.DTKJ2", "[DATA]\r\nDATA=2B000000" + std::string(70'000, 'x') + "\r\n");
                      }
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

struct CapabilityCase {
    const char* appLog;
    bool supported;
};

class Capability : public Jobs, public ::testing::WithParamInterface<CapabilityCase> {};

TEST_P(Capability, IsBit31AndDeletingAllNeedsIt) {
    Use(Scenario(3, std::string(R"("opening": {"items": {"APP_V": "1.00", "BUFF": "2C00", "APP_LOG": ")") +
                        GetParam().appLog + R"("}})"));
    EXPECT_EQ(SupportsReferenceValues(*link), GetParam().supported);
    EXPECT_TRUE(DeleteAllReferenceSets(*link));
    EXPECT_EQ(Sent("DD"), Lines{"DD0003ALL"});
    EXPECT_EQ(List(), Lines{});
}

INSTANTIATE_TEST_SUITE_P(ReferenceJobs, Capability,
                         ::testing::Values(CapabilityCase{"80000000", true}, CapabilityCase{"7FFFFFFF", false},
                                           CapabilityCase{"FFFFFFFF", true}, CapabilityCase{"0", false}));

} // namespace
