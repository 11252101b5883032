// Reference-value sets: the 80-byte name list, reading a set's two texts, deleting one or all, writing one
// with a capacity, and the program's changes lasting across USBQK_Close and USBQK_Open.
#include "EmulatorFixture.h"

#include <fstream>

using namespace emutest;
using namespace std::string_literals;

namespace {

const char* const kScenario = R"({"reference": {"capacity": 4, "sets": [
  {"name": "セット一", "data": "01234567", "values": ["12", "34", "56"]},
  {"header": "0123ABCD",
   "info": {"vehicle": "ミニバン", "type": "DBA-XY12", "engine": "MR20", "year": "2019",
            "mileage": "45210", "comment": "コメント"},
   "payload": "IDL=750,", "values": "v1,v2,"},
  {"name": "四十一文字の名前をここに書いて八十バイトを越えるかどうかを確かめるための長い長い参考値の名前です"}
]}})";

Bytes Pad(const Bytes& text, std::size_t width) {
    return text + Bytes(width - text.size(), ' ');
}
Bytes Slot(const Bytes& name) {
    return name + Bytes(80 - name.size(), '\0');
}

// The second set's text as the tester holds it.
Bytes SecondSet() {
    return "0123ABCD" + Pad(Sjis("ミニバン"), 20) + Pad("DBA-XY12", 20) + Pad("MR20", 20) + Pad("2019", 20) +
           Pad("45210", 8) + Pad(Sjis("コメント"), 128) + "IDL=750,";
}

// A set as the program writes it: the text of its file line, line feed included.
Bytes Written(const char* vehicle, const Bytes& measurements, const char* header = "1A2B3C4D") {
    return header + Pad(Sjis(vehicle), 20) + Pad("T-1", 20) + Pad("", 20) + Pad("", 20) + Pad("", 8) + Pad("", 128) +
           measurements + "\n";
}

class ReferenceTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        scenario = UseScenario(kScenario);
    }
    Bytes List() {
        auto link = Connect();
        return Ask(*link, "DC").data;
    }
    std::filesystem::path scenario;
};

TEST_F(ReferenceTest, ListHasOneZeroPaddedSlotPerSet) {
    auto link = Connect();
    Answer a = Ask(*link, "DC");
    EXPECT_EQ(a.status, "0000");
    Bytes longName = Sjis("四十一文字の名前をここに書いて八十バイトを越えるかどうかを確かめるための長い長い");
    ASSERT_EQ(longName.size(), 80u);
    // The name given, the name made from the description, the long name cut to one full slot.
    EXPECT_EQ(a.data, Slot(Sjis("セット一")) + Slot(Sjis("ミニバン") + " DBA-XY12 MR20") + longName);
}

TEST_F(ReferenceTest, CuttingANameNeverSplitsADoubleByteCharacter) {
    UseScenario(
        R"({"reference": {"sets": [{"name": "aあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりる"}]}})");
    Bytes name = Sjis("aあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよら");
    ASSERT_EQ(name.size(), 79u);
    EXPECT_EQ(List(), Slot(name));
}

TEST_F(ReferenceTest, DescriptionFieldsAreCutToTheirWidth) {
    UseScenario(R"({"reference": {"sets": [{"header": "00000000",
        "info": {"vehicle": "x一二三四五六七八九十", "type": "一二三四五六七八九十壱"}}]}})");
    auto link = Connect();
    Bytes data = Ask(*link, "DF", "0000DATA\0"s).data;
    ASSERT_EQ(data.size(), 8u + 216);
    EXPECT_EQ(data.substr(8, 20), Sjis("x一二三四五六七八九") + " ");
    EXPECT_EQ(data.substr(28, 20), Sjis("一二三四五六七八九十"));
    EXPECT_EQ(data.substr(48), Bytes(176, ' '));
}

struct ReadCase {
    const char* name;
    std::string data;
    const char* status;
    std::string answer;
};
void PrintTo(const ReadCase& p, std::ostream* os) {
    *os << p.name;
}

class ReadSetTest : public ReferenceTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSetTest, AnswersTheSetsText) {
    const ReadCase& c = GetParam();
    auto link = Connect();
    Answer a = Ask(*link, "DF", c.data);
    EXPECT_EQ(a.status, c.status);
    EXPECT_EQ(a.data, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Sets, ReadSetTest,
                         ::testing::Values(ReadCase{"FirstData", "0000DATA\0"s, "0000", "01234567"},
                                           ReadCase{"FirstValues", "0000VALUE\0"s, "0000", "12,34,56,"},
                                           ReadCase{"ComposedData", "0001DATA\0"s, "0000", SecondSet()},
                                           ReadCase{"ExactValues", "0001VALUE\0"s, "0000", "v1,v2,"},
                                           ReadCase{"NoValues", "0002VALUE\0"s, "0000", ""},
                                           ReadCase{"PastTheEnd", "0003DATA\0"s, "A006", ""},
                                           ReadCase{"WithoutZeroByte", "0001DATA", "A006", ""},
                                           ReadCase{"LowerCaseWord", "0001data\0"s, "A006", ""},
                                           ReadCase{"IndexNotHex", "00G1DATA\0"s, "A006", ""},
                                           ReadCase{"IndexLowerCase", "000aDATA\0"s, "A006", ""},
                                           ReadCase{"DecimalIndex", "1DATA\0"s, "A006", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReferenceTest, DeleteOneByDecimalPosition) {
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "DD", "3").status, "A006");
    EXPECT_EQ(Ask(*link, "DD", "01").status, "A006");
    EXPECT_EQ(Ask(*link, "DD", "-1").status, "A006");
    EXPECT_EQ(Ask(*link, "DD", "").status, "A006");
    EXPECT_EQ(Ask(*link, "DD", "all").status, "A006");
    Answer a = Ask(*link, "DD", "1");
    EXPECT_EQ(a.status, "0000");
    EXPECT_EQ(a.data, "");
    Bytes list = Ask(*link, "DC").data;
    ASSERT_EQ(list.size(), 160u);
    EXPECT_EQ(list.substr(0, 80), Slot(Sjis("セット一")));
    // What was the third set is now the second.
    EXPECT_EQ(Ask(*link, "DF", "0001VALUE\0"s).status, "0000");
    EXPECT_EQ(Ask(*link, "DF", "0002VALUE\0"s).status, "A006");
}

TEST_F(ReferenceTest, DeleteAll) {
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "DD", "ALL").status, "0000");
    EXPECT_EQ(Ask(*link, "DC").data, "");
    EXPECT_EQ(Ask(*link, "DD", "ALL").status, "0000");
    EXPECT_EQ(Ask(*link, "DD", "0").status, "A006");
}

TEST_F(ReferenceTest, WrittenSetIsListedAndReadBackWithoutTheLineFeed) {
    auto link = Connect();
    Bytes set = Written("セダン", "IDL=980,ECT=89,");
    Answer a = Ask(*link, "DE", set);
    EXPECT_EQ(a.status, "0000");
    EXPECT_EQ(a.data, "");
    EXPECT_EQ(Ask(*link, "DC").data.substr(240), Slot(Sjis("セダン") + " T-1"));
    EXPECT_EQ(Ask(*link, "DF", "0003DATA\0"s).data, set.substr(0, set.size() - 1));
    // Measurements the tester never held: they are the values.
    EXPECT_EQ(Ask(*link, "DF", "0003VALUE\0"s).data, "IDL=980,ECT=89,");
}

TEST_F(ReferenceTest, WrittenSetWithKnownMeasurementsGetsTheirValues) {
    auto link = Connect();
    // The second set read, its description changed by the user, written back.
    EXPECT_EQ(Ask(*link, "DE", Written("別の名前", "IDL=750,", "0123ABCD")).status, "0000");
    EXPECT_EQ(Ask(*link, "DF", "0003VALUE\0"s).data, "v1,v2,");
    // Measurements without a final comma get one.
    EXPECT_EQ(Ask(*link, "DD", "3").status, "0000");
    EXPECT_EQ(Ask(*link, "DE", Written("x", "A=1")).status, "0000");
    EXPECT_EQ(Ask(*link, "DF", "0003VALUE\0"s).data, "A=1,");
}

TEST_F(ReferenceTest, WriteBeyondTheCapacityIsRefusedAndStoresNothing) {
    auto link = Connect();
    EXPECT_EQ(Ask(*link, "DE", Written("four", "")).status, "0000");
    Answer full = Ask(*link, "DE", Written("five", ""));
    EXPECT_TRUE(full.wellFormed);
    EXPECT_EQ(full.letters, "DE");
    EXPECT_EQ(full.status, "A007");
    EXPECT_EQ(Ask(*link, "DC").data.size(), 4u * 80);
    // Room again after a delete.
    EXPECT_EQ(Ask(*link, "DD", "0").status, "0000");
    EXPECT_EQ(Ask(*link, "DE", Written("five", "")).status, "0000");
}

TEST_F(ReferenceTest, MalformedSetIsRefused) {
    auto link = Connect();
    Bytes good = Written("x", "");
    EXPECT_EQ(Ask(*link, "DE", "").status, "A006");
    EXPECT_EQ(Ask(*link, "DE", "\n").status, "A006");
    EXPECT_EQ(Ask(*link, "DE", good.substr(0, 223)).status, "A006");
    EXPECT_EQ(Ask(*link, "DE", "F" + good.substr(1)).status, "A006");
    EXPECT_EQ(Ask(*link, "DE", "a" + good.substr(1)).status, "A006");
    EXPECT_EQ(Ask(*link, "DC").data.size(), 3u * 80);
    EXPECT_EQ(Ask(*link, "DE", good.substr(0, 224)).status, "0000"); // no line feed is fine too
}

TEST_F(ReferenceTest, ChangesLastAcrossCloseAndOpen) {
    {
        auto link = Connect();
        EXPECT_EQ(Ask(*link, "DD", "0").status, "0000");
        EXPECT_EQ(Ask(*link, "DE", Written("新しい", "")).status, "0000");
    }
    Bytes expected = Slot(Sjis("ミニバン") + " DBA-XY12 MR20") +
                     Sjis("四十一文字の名前をここに書いて八十バイトを越えるかどうかを確かめるための長い長い") +
                     Slot(Sjis("新しい") + " T-1");
    EXPECT_EQ(List(), expected);
    // The same scenario text written again is the same scenario.
    UseScenario(kScenario);
    EXPECT_EQ(List(), expected);
    // A probe (open and close without an exchange) changes nothing either.
    int32_t device = lib.Open();
    EXPECT_GT(device, 0);
    lib.Close(device);
    EXPECT_EQ(List(), expected);
}

TEST_F(ReferenceTest, ChangedScenarioStartsFromItsSets) {
    {
        auto link = Connect();
        EXPECT_EQ(Ask(*link, "DD", "ALL").status, "0000");
    }
    EXPECT_EQ(List(), "");
    std::ofstream(scenario, std::ios::app) << "\n"; // any change of the file's text counts
    EXPECT_EQ(List().size(), 3u * 80);
}

TEST_F(ReferenceTest, OtherScenarioFileStartsFromItsSets) {
    {
        auto link = Connect();
        EXPECT_EQ(Ask(*link, "DD", "ALL").status, "0000");
    }
    UseScenario(kScenario, "copy.json");
    EXPECT_EQ(List().size(), 3u * 80);
}

} // namespace
