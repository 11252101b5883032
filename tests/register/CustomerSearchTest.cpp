#include "register/CustomerSearch.h"

#include "RegisterFixture.h"
#include "common/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

// 山田 (two vehicles), 鈴木 (listed, folder missing), 佐藤 (no vehicles).
class Search : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(r / "VISITOR_M.DT", Sjis("山田\r\n鈴木\r\n佐藤\r\n"));
        for (const char* name : {"山田", "佐藤"}) {
            r.reg.CreateCustomerFolders(name, "");
            r.reg.RegisterCustomer(name, "");
        }
        r.reg.WriteCustomerFields("山田", {{"TEL", "03-1234-5678"}, {"ADD", "東京都品川区"}, {"POST_NO", "140-0001"}});
        r.reg.WriteCustomerFields("佐藤", {{"HANDY", "090-3120-0000"}, {"ADD", "大阪府"}});
        VehicleProfile one{"トヨタ", "カローラ", "ア", "", "", "", "", "", ""};
        VehicleProfile two{"日産", "", "", "", "", "ZRE-99", "", "120000", ""};
        for (const auto& [number, data] : {std::pair{"品川1", one}, std::pair{"品川2", two}}) {
            r.reg.CreateVehicleFolder("山田", number);
            r.reg.CreateVehicleFiles("山田", number);
            r.reg.WriteVehicleFields("山田", number, VehicleSections(data));
        }
    }
    std::vector<std::string> Texts(const std::string& key, bool vehicles) const {
        std::vector<std::string> texts;
        for (const auto& result : SearchCustomers(r.reg, key, vehicles)) {
            texts.push_back(result.Text + "#" + std::to_string(result.Line) + "#" + result.Vehicle);
        }
        return texts;
    }
    TempRegister r;
};

using Lines = std::vector<std::string>;

TEST_F(Search, AVehicleMatchCountsForThatVehicleOnly) {
    EXPECT_EQ(Texts("日産", true), (Lines{"山田/品川2#0#品川2"}));
    EXPECT_EQ(Texts("120000", true), (Lines{"山田/品川2#0#品川2"}));
    EXPECT_EQ(Texts("品川1", true), (Lines{"山田/品川1#0#品川1"}));
    EXPECT_TRUE(Texts("日産", false).empty());
}

TEST_F(Search, ACustomerMatchBringsAllHisVehicles) {
    EXPECT_EQ(Texts("品川区", true), (Lines{"山田/品川1#0#品川1", "山田/品川2#0#品川2"}));
    EXPECT_EQ(Texts("品川区", false), (Lines{"山田/#0#"}));
    EXPECT_EQ(Texts("大阪", true), (Lines{"佐藤/#2#"}));
}

TEST_F(Search, DigitsMatchWithinOnePartUnlessTheKeyHoldsTheHyphen) {
    EXPECT_EQ(Texts("1234", false), (Lines{"山田/#0#"}));
    EXPECT_EQ(Texts("312", false), (Lines{"佐藤/#2#"})); // 090-3120-0000, not 03-1234
    EXPECT_EQ(Texts("3-1", false), (Lines{"山田/#0#"}));
    EXPECT_EQ(Texts("140-0001", false), (Lines{"山田/#0#"}));
}

TEST_F(Search, AnEmptyKeyListsEveryCustomerWithAFolderInListOrder) {
    EXPECT_EQ(Texts("", true), (Lines{"山田/品川1#0#品川1", "山田/品川2#0#品川2", "佐藤/#2#"}));
    EXPECT_EQ(Texts("", false), (Lines{"山田/#0#", "佐藤/#2#"}));
}

TEST_F(Search, ACustomerWithoutFolderIsFoundByName) {
    EXPECT_EQ(Texts("鈴", true), (Lines{"鈴木/#1#"}));
    EXPECT_EQ(Texts("鈴", false), (Lines{"鈴木/#1#"}));
}

TEST_F(Search, CharactersAreComparedNotBytes) {
    // ア is 83 41 in Shift-JIS: its second byte is "A", but the key A is not in the text.
    EXPECT_TRUE(Texts("A", true).empty());
    EXPECT_EQ(Texts("ア", true), (Lines{"山田/品川1#0#品川1"}));
    EXPECT_TRUE(Texts("とよた", true).empty()); // no kana or case folding
    EXPECT_TRUE(ContainsText("カローラ", "ロー"));
    EXPECT_FALSE(ContainsText("ab", "B"));
    EXPECT_FALSE(ContainsText(std::string("\xE3\x82\xA2"), std::string("\x82\xA2"))); // not at a character start
}

TEST_F(Search, OnlyPlainFoldersAreVehicles) {
    fs::create_directories(r / "お客様/佐藤/.隠し");
    fs::create_directory_symlink(r / "お客様/山田/品川1", r / "お客様/佐藤/リンク");
    WriteBytes(r / "お客様/佐藤/メモ.txt", "");
    EXPECT_EQ(Texts("", true), (Lines{"山田/品川1#0#品川1", "山田/品川2#0#品川2", "佐藤/#2#"}));
    EXPECT_EQ(Texts("大阪", true), (Lines{"佐藤/#2#"}));
}

TEST_F(Search, ACustomerWithManyVehiclesIsReadToTheEnd) {
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        // Long names, so the folder takes several batches of entries.
        const std::string number = std::string(60, 'x') + "車" + std::to_string(1000 + i);
        fs::create_directories(r / ("お客様/佐藤/" + number));
        expected.push_back("佐藤/" + number + "#2#" + number);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Texts("大阪", true), expected);
}

TEST_F(Search, WithoutTheCustomerRootCustomersAreFoundByName) {
    fs::rename(r / "お客様", r / "moved");
    EXPECT_EQ(Texts("", true), Lines{});
    EXPECT_EQ(Texts("山田", true), (Lines{"山田/#0#"}));
    EXPECT_EQ(Texts("品川区", true), Lines{});
}

TEST_F(Search, AMissingListGivesNoResults) {
    fs::remove(r / "VISITOR_M.DT");
    EXPECT_TRUE(SearchCustomers(r.reg, "", true).empty());
    EXPECT_TRUE(SearchCustomers(r.reg, "山田", true).empty());
}

// The one-pass lookup of the search must read exactly what the profile reader reads.
TEST(ProfileLookupSections, AgreesWithTheProfileReader) {
    const char* sections[] = {"TEL", "HANDY", "ADD", "CAR_NO"};
    const std::vector<std::string> contents = {
        "",
        "[TEL]\r\nDATA0=1\r\n",
        "DATA0=x\r\n[tel]\r\n data0 = \"q\" \r\n[HANDY]\r\nNUM=1\r\n[ADD]\r\nDATA0='a'\r\nDATA0=b\r\n",
        "[TEL]\r\nNUM=1\r\n[TEL]\r\nDATA0=second\r\n[ CAR_NO ]\rDATA0=c\n[ADD\r\nDATA0=z\r\n",
        "[HANDY]x]\r\nDATA0=1\r\n[HANDY]\r\nDATA0=2\r\n[ADD]\r\nDATA0 \r\nDATA0=\r\n[CAR_NO]\r\nDATA0=\"\r\n",
    };
    for (const auto& content : contents) {
        std::optional<std::string_view> values[4];
        ProfileLookupSections(content, sections, "DATA0", values);
        for (int i = 0; i < 4; ++i) {
            const auto expected = ProfileLookup(content, sections[i], "DATA0");
            EXPECT_EQ(values[i] ? std::optional<std::string>(std::string(*values[i])) : std::nullopt, expected)
                << sections[i] << " in " << content;
        }
    }
}

} // namespace
