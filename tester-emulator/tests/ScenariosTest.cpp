// Choosing and reading the scenario at every open, and the shipped scenarios doing what their names say.
#include "EmulatorFixture.h"

#include <algorithm>
#include <cctype>

using namespace emutest;
using namespace std::string_literals;

namespace {

const std::string Stx = "\x02";

const char* const kDemoDirectory = "EM0EM1ED0ED1EA0AM0AD2";

Bytes Directory(Library& lib) {
    Link link(lib);
    if (!link.Opened()) {
        return "(no tester)";
    }
    auto raw = link.Exchange(Command("CB"));
    return raw ? ParseAnswer(*raw).data : "(no answer)";
}

TEST_F(EmulatorTest, ScenarioNamedByTheEnvironmentComesFirst) {
    dir.Write("uusbqk-emulator.json", R"({"records": [{"entry": "EM3"}]})");
    UseScenario(R"({"records": [{"entry": "ED2"}]})");
    EXPECT_EQ(Directory(lib), "ED2");
}

TEST_F(EmulatorTest, ThenTheScenarioBesideTheLibrary) {
    dir.Write("uusbqk-emulator.json", R"({"records": [{"entry": "EM3"}]})");
    EXPECT_EQ(Directory(lib), "EM3");
    ScopedEnv empty("UUSBQK_EMULATOR_SCENARIO", ""); // an empty value names nothing
    EXPECT_EQ(Directory(lib), "EM3");
}

TEST_F(EmulatorTest, ThenTheBuiltInDemo) {
    EXPECT_EQ(Directory(lib), kDemoDirectory);
    // The built-in scenario is the shipped demo.json.
    Bytes builtIn;
    {
        Link link(lib);
        builtIn = link.Exchange(Command("DC")).value_or("") + link.Exchange(Command("CD")).value_or("") +
                  link.Exchange(Command("DG", "ITEM")).value_or("");
    }
    UseShipped("demo.json");
    Link link(lib);
    EXPECT_EQ(link.Exchange(Command("DC")).value_or("") + link.Exchange(Command("CD")).value_or("") +
                  link.Exchange(Command("DG", "ITEM")).value_or(""),
              builtIn);
}

TEST_F(EmulatorTest, ScenarioIsReadAgainAtEveryOpen) {
    UseScenario(R"({"records": [{"entry": "ED2"}]})");
    EXPECT_EQ(Directory(lib), "ED2");
    UseScenario(R"({"records": [{"entry": "AM1"}]})");
    EXPECT_EQ(Directory(lib), "AM1");
    UseScenario(R"({"attached": false})");
    EXPECT_EQ(lib.Open(), -1);
}

struct BadScenario {
    const char* name;
    std::string json;
    const char* message; // part of what the library says on standard error
};
void PrintTo(const BadScenario& p, std::ostream* os) {
    *os << p.name;
}

class BadScenarioTest : public EmulatorTest, public ::testing::WithParamInterface<BadScenario> {};

TEST_P(BadScenarioTest, MeansNoTesterAndSaysWhy) {
    UseScenario(GetParam().json);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(lib.Open(), -1);
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(GetParam().message), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, BadScenarioTest,
    ::testing::Values(BadScenario{"NotJson", "{\"online\": tru}", "parse error"},
                      BadScenario{"UnknownKey", R"({"onlin": false})", "unknown key \"onlin\""},
                      BadScenario{"UnknownNestedKey", R"({"reference": {"sets": [{"nam": "x"}]}})",
                                  "reference.sets[0]: unknown key \"nam\""},
                      BadScenario{"NotShiftJis", R"({"records": [{"entry": "EM0", "data": "😀"}]})",
                                  "records[0].data: has a character that Shift-JIS"},
                      BadScenario{"BadHex", R"({"records": [{"entry": {"hex": "4"}}]})", "must be pairs"},
                      BadScenario{"EntryNotThreeBytes", R"({"records": [{"entry": "EM"}]})", "must be 3 bytes"},
                      BadScenario{"WrongType", R"({"online": "yes"})", "online: must be true or false"},
                      BadScenario{"UnknownAction", R"({"faults": {"rules": [{"action": "explode"}]}})",
                                  "faults.rules[0].action"},
                      BadScenario{"HeaderNotEightBytes", R"({"reference": {"sets": [{"header": "123"}]}})",
                                  "header: must be 8 bytes"},
                      BadScenario{"DataAndHeader", R"({"reference": {"sets": [{"data": "x", "header": "12345678"}]}})",
                                  "has \"data\" and also"},
                      BadScenario{"StatusNotFourCharacters", R"({"opening": {"status": "00"}})", "4 characters"},
                      BadScenario{"NotAnObject", "[]", "must be an object"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmulatorTest, MissingScenarioFileMeansNoTester) {
    ::setenv("UUSBQK_EMULATOR_SCENARIO", (dir.Path() / "missing.json").c_str(), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(lib.Open(), -1);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("missing.json"), std::string::npos);
}

TEST_F(EmulatorTest, CommentsAreIgnored) {
    UseScenario(R"({"_note": "any", "description": "d", "records": [{"_why": 1, "entry": "EM0"}]})");
    EXPECT_EQ(Directory(lib), "EM0");
}

TEST_F(EmulatorTest, DiagnosticLogSaysWhyAFrameWasRefused) {
    UseScenario("{}");
    auto log = dir.Path() / "diagnostic.log";
    ScopedEnv env("UUSBQK_EMULATOR_LOG", log.c_str());
    Link link(lib);
    Bytes bad = Command("CB");
    bad[bad.size() - 3] ^= 1;
    ASSERT_TRUE(link.Exchange(bad));
    EXPECT_NE(ReadText(log).find("frame 1: checksum wrong"), std::string::npos) << ReadText(log);
}

// The shipped scenarios that the program's tests rely on.

TEST_F(EmulatorTest, ShippedAbsentMeansNoTester) {
    UseShipped("absent.json");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lib.Open(), -1);
    }
}

TEST_F(EmulatorTest, ShippedOfflineNeverSaysReady) {
    UseShipped("offline.json");
    Link link(lib);
    ASSERT_TRUE(link.Opened());
    EXPECT_FALSE(link.WaitReady(1100));
}

TEST_F(EmulatorTest, ShippedDownloadModeAnswersAAN000WithoutAppV) {
    UseShipped("download.json");
    Link link(lib);
    auto raw = link.Exchange(Command("AA"));
    ASSERT_TRUE(raw);
    EXPECT_NE(raw->find("AAN000"), std::string::npos);
    EXPECT_EQ(raw->find("APP_V"), std::string::npos);
    Answer a = ParseAnswer(*raw);
    EXPECT_TRUE(a.wellFormed);
    EXPECT_EQ(a.data, "BUFF=2C00,BOOT_V=1.05,");
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("AB")).value_or("")).status, "N000");
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).status, "A009");
}

TEST_F(EmulatorTest, ShippedAan000WithAppVIsOrdinary) {
    UseShipped("aan000-app-v.json");
    Link link(lib);
    auto raw = link.Exchange(Command("AA"));
    ASSERT_TRUE(raw);
    EXPECT_NE(raw->find("AAN000"), std::string::npos);
    EXPECT_NE(raw->find("APP_V="), std::string::npos);
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).data, "EM0ED1AM3");
}

struct Opening {
    const char* file;
    const char* expected; // the opening answer's data
};
void PrintTo(const Opening& p, std::ostream* os) {
    *os << p.file;
}

class ShippedOpeningTest : public EmulatorTest, public ::testing::WithParamInterface<Opening> {};

TEST_P(ShippedOpeningTest, OpeningAnswer) {
    UseShipped(GetParam().file);
    Link link(lib);
    Answer a = ParseAnswer(link.Exchange(Command("AA")).value_or(""));
    EXPECT_EQ(a.status, "0000");
    EXPECT_EQ(a.data, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, ShippedOpeningTest,
    ::testing::Values(Opening{"buff-absent.json", "APP_V=VT3-2.31,APP_LOG=80000000,"},
                      Opening{"buff-long.json", "APP_V=VT3-2.31,BUFF=00001000,APP_LOG=80000000,"},
                      Opening{"buff-1000.json", "APP_V=VT3-2.31,BUFF=1000,APP_LOG=80000000,"},
                      Opening{"app-log-clear.json", "APP_V=VT3-2.31,BUFF=2C00,APP_LOG=00000003,"},
                      Opening{"empty-directory.json", "APP_V=VT3-2.31,BUFF=2C00,APP_LOG=80000000,"},
                      Opening{"demo.json", "APP_V=VT3-2.31,BUFF=2C00,APP_LOG=80000003,TESTER=VT-3000,"
                                           "SERIAL=VT3-004512,"}),
    [](const auto& info) {
        std::string name = info.param.file;
        std::string out;
        for (char c : name.substr(0, name.find('.'))) {
            out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return out;
    });

TEST_F(EmulatorTest, ShippedEmptyDirectoryHoldsNothing) {
    UseShipped("empty-directory.json");
    Link link(lib);
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).data, "");
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("DC")).value_or("")).data, "");
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CD")).value_or("")).data, "MIN=1,MAX=0,");
}

TEST_F(EmulatorTest, ShippedFaultScenarios) {
    UseShipped("unplug-during-read.json");
    {
        Link link(lib);
        ASSERT_TRUE(link.Exchange(Command("AA")));
        EXPECT_FALSE(link.Exchange(Command("CB")));
        EXPECT_NE(lib.Check(link.device), 0);
    }
    UseShipped("unplug-after-open.json");
    {
        Link link(lib);
        ASSERT_TRUE(link.Exchange(Command("AA")));
        EXPECT_EQ(link.PollReady(), std::nullopt);
    }
    UseShipped("ff-offset1.json");
    {
        Link link(lib);
        EXPECT_EQ(link.Exchange(Command("CB")).value_or("").at(1), '\xFF');
    }
    UseShipped("ff-last-data.json");
    {
        Link link(lib);
        EXPECT_EQ(link.Exchange(Command("CB")), Stx + "CB00000009EM0ED1AM\xFF"
                                                      "4B\r\n"s);
    }
    UseShipped("a00-directory.json");
    {
        Link link(lib);
        EXPECT_EQ(ParseAnswer(link.Exchange(Command("CB")).value_or("")).status, "A00F");
    }
}

TEST_F(EmulatorTest, ShippedReferenceFullTakesOneMoreSet) {
    UseShipped("reference-full.json");
    Link link(lib);
    Bytes set = Bytes("1A2B3C4D") + Bytes(216, ' ') + "\n";
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("DE", set)).value_or("")).status, "0000");
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("DE", set)).value_or("")).status, "A007");
}

// Everything in the demo can be read the way the program reads it.
TEST_F(EmulatorTest, DemoIsComplete) {
    UseShipped("demo.json");
    Link link(lib);
    Bytes directory = ParseAnswer(link.Exchange(Command("CB")).value_or("")).data;
    ASSERT_EQ(directory, kDemoDirectory);
    for (std::size_t i = 0; i < directory.size(); i += 3) {
        Answer record = ParseAnswer(link.Exchange(Command("DA", directory.substr(i, 3))).value_or(""));
        EXPECT_EQ(record.status, "0000");
        EXPECT_GT(record.data.size(), 20u);
    }
    Bytes list = ParseAnswer(link.Exchange(Command("DC")).value_or("")).data;
    ASSERT_EQ(list.size() % 80, 0u);
    ASSERT_GE(list.size() / 80, 3u);
    for (std::size_t i = 0; i < list.size() / 80; ++i) {
        char index[24];
        std::snprintf(index, sizeof index, "%04zX", i);
        Bytes data = ParseAnswer(link.Exchange(Command("DF", index + "DATA\0"s)).value_or("")).data;
        ASSERT_GT(data.size(), 224u);
        for (char c : data.substr(0, 8)) {
            EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'E')) << data.substr(0, 8);
        }
        EXPECT_FALSE(ParseAnswer(link.Exchange(Command("DF", index + "VALUE\0"s)).value_or("")).data.empty());
    }
    EXPECT_EQ(ParseAnswer(link.Exchange(Command("CD")).value_or("")).data, "MIN=1,MAX=300,");
    Bytes items = ParseAnswer(link.Exchange(Command("DG", "ITEM")).value_or("")).data;
    EXPECT_EQ(std::count(items.begin(), items.end(), ';'), 2);
    // Blocks as the program sizes them for BUFF=2C00 and 7 columns: 11264 / 9 / 8 * 0.9 = 140 records.
    int rows = 0;
    for (int from = 1; from <= 300; from += 140) {
        int to = std::min(300, from + 139);
        Answer block = ParseAnswer(
            link.Exchange(Command("DG", "MIN=" + std::to_string(from) + ",MAX=" + std::to_string(to))).value_or(""));
        EXPECT_EQ(block.status, "0000");
        EXPECT_LE(block.data.size(), 11264u);
        rows += static_cast<int>(std::count(block.data.begin(), block.data.end(), ';'));
    }
    EXPECT_EQ(rows, 300);
}

} // namespace
