// The answer data of every command apart from the reference-value ones (see ReferenceTest.cpp): the opening
// answer, the record directory and records, the continuous record, and the refusals common to all commands.
#include "EmulatorFixture.h"

using namespace emutest;
using namespace std::string_literals;

namespace {

const char* const kScenario = R"({
  "opening": {"items": {"APP_V": "T1.0", "BUFF": "1000", "APP_LOG": "80000001", "MAKER": "テスト"}},
  "records": [
    {"entry": "EM0", "values": ["12", "ABC", "", "3.5"]},
    {"entry": "ED1", "data": "エンジン回転数 750rpm"},
    {"entry": "AM3", "data": {"hex": "82 A0 2C FF 00 41"}},
    {"entry": {"hex": "58 59 30"}, "data": "XY0"},
    {"entry": "EA2"}
  ],
  "continuous": {"first": 5, "items": [["No.", "回転"], ["", "rpm"]],
                 "rows": [["5", "750"], ["6", "760"], "7,770"]}
})";

struct Case {
    const char* name;
    const char* letters;
    std::string data;
    const char* status;
    std::string answer;
};
void PrintTo(const Case& p, std::ostream* os) {
    *os << p.name;
}

class CommandTest : public EmulatorTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        UseScenario(kScenario);
    }
};

TEST_P(CommandTest, AnswersExactly) {
    const Case& c = GetParam();
    auto link = Connect();
    Answer a = Ask(*link, c.letters, c.data);
    EXPECT_TRUE(a.wellFormed);
    EXPECT_EQ(a.letters, c.letters);
    EXPECT_EQ(a.status, c.status);
    EXPECT_EQ(a.data, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Opening, CommandTest,
                         ::testing::Values(Case{"Open", "AA", "", "0000",
                                                "APP_V=T1.0,BUFF=1000,APP_LOG=80000001,MAKER=" + Sjis("テスト") + ","},
                                           Case{"Close", "AB", "", "0000", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Records, CommandTest,
    ::testing::Values(Case{"Directory", "CB", "", "0000", "EM0ED1AM3XY0EA2"},
                      Case{"ValuesJoinedByCommas", "DA", "EM0", "0000", "12,ABC,,3.5"},
                      Case{"JapaneseAsShiftJis", "DA", "ED1", "0000", Sjis("エンジン回転数 750rpm")},
                      Case{"ExactBytes", "DA", "AM3", "0000", "\x82\xA0,\xFF\0A"s},
                      Case{"EntryOfOtherLetters", "DA", "XY0", "0000", "XY0"},
                      Case{"EmptyRecord", "DA", "EA2", "0000", ""}, Case{"UnknownEntry", "DA", "EM1", "A006", ""},
                      Case{"EntryTooShort", "DA", "EM", "A006", ""}, Case{"EntryTooLong", "DA", "EM00", "A006", ""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Continuous, CommandTest,
                         ::testing::Values(Case{"Range", "CD", "", "0000", "MIN=5,MAX=7,"},
                                           Case{"Items", "DG", "ITEM", "0000", "No.," + Sjis("回転") + ";,rpm;"},
                                           Case{"AllRows", "DG", "MIN=5,MAX=7", "0000", "5,750;6,760;7,770;\r"},
                                           Case{"OneRow", "DG", "MIN=6,MAX=6", "0000", "6,760;\r"},
                                           Case{"BeforeFirst", "DG", "MIN=4,MAX=5", "A006", ""},
                                           Case{"AfterLast", "DG", "MIN=7,MAX=8", "A006", ""},
                                           Case{"Reversed", "DG", "MIN=7,MAX=6", "A006", ""},
                                           Case{"LeadingZero", "DG", "MIN=05,MAX=6", "A006", ""},
                                           Case{"NoMax", "DG", "MIN=5", "A006", ""},
                                           Case{"OtherText", "DG", "ITEMS", "A006", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Refusals, CommandTest,
    ::testing::Values(Case{"UnknownLetters", "ZZ", "", "A005", ""}, Case{"LowerCaseLetters", "cb", "", "A005", ""},
                      Case{"DataOnOpen", "AA", "X", "A006", ""}, Case{"DataOnDirectory", "CB", "X", "A006", ""},
                      Case{"DataOnList", "DC", "0", "A006", ""}, Case{"DataOnRange", "CD", "MIN", "A006", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmulatorTest, EmptyContinuousRecordHasMinAboveMax) {
    UseScenario(R"({"continuous": {}})");
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CD").data, "MIN=1,MAX=0,");
    EXPECT_EQ(Ask(*link, "DG", "ITEM").data, "");
    EXPECT_EQ(Ask(*link, "DG", "MIN=1,MAX=1").status, "A006");
}

TEST_F(EmulatorTest, ContinuousRecordAnswersCanBeGivenExactly) {
    UseScenario(R"({"continuous": {"first": 0, "range_data": "MAX=3", "item_data": {"hex": "41 3B 42"},
                                   "rows": ["0,a", "1,b"], "end_with_cr": false}})");
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CD").data, "MAX=3");
    EXPECT_EQ(Ask(*link, "DG", "ITEM").data, "A;B");
    EXPECT_EQ(Ask(*link, "DG", "MIN=0,MAX=1").data, "0,a;1,b;");
}

TEST_F(EmulatorTest, NegativeRecordNumbers) {
    UseScenario(R"({"continuous": {"first": -1, "rows": ["-1", "0", "1"]}})");
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "CD").data, "MIN=-1,MAX=1,");
    EXPECT_EQ(Ask(*link, "DG", "MIN=-1,MAX=0").data, "-1;0;\r");
}

// The answer-ready poll carries 16 bits: an answer of up to 65,535 bytes goes through whole, a longer one is
// refused.
TEST_F(EmulatorTest, LargestAnswerGoesThroughWholeAndALargerOneIsRefused) {
    std::string fits(65535 - 15, 'x');
    fits[0] = 'F';
    fits.back() = 'L';
    UseScenario(R"({"records": [{"entry": "EM0", "data": ")" + fits + R"("},
                                {"entry": "EM1", "data": ")" +
                fits + R"(y"}]})");
    auto link = Connect();
    auto raw = link->Exchange(Command("DA", "EM0"));
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->size(), 65535u);
    Answer a = ParseAnswer(*raw);
    EXPECT_TRUE(a.wellFormed);
    EXPECT_EQ(a.data, fits);

    Answer tooLong = Ask(*link, "DA", "EM1");
    EXPECT_TRUE(tooLong.wellFormed);
    EXPECT_EQ(tooLong.status, "A008");
    EXPECT_EQ(Ask(*link, "AB").status, "0000");
}

TEST_F(EmulatorTest, LargestCommandIsAccepted) {
    UseScenario("{}");
    auto link = Connect();
    // A write of a set whose text is 65,524 bytes makes a frame of 65,535 bytes; the set is malformed
    // (its header is not one), which the tester says after taking the whole frame.
    Answer a = Ask(*link, "DE", std::string(65535 - 11, 'z'));
    EXPECT_TRUE(a.wellFormed);
    EXPECT_EQ(a.status, "A006");
}

} // namespace
