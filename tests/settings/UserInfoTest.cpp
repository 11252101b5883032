#include "settings/UserInfo.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

const UserInfo Workshop{"山田自動車",
                        {"123", "4567"},
                        {"03", "1234", "5678"},
                        {"03", "1234", "5679"},
                        "東京都港区1-2-3",
                        "毎度ありがとうございます",
                        "次回点検をお待ちしております"};
const std::string WorkshopFile =
    "[user]\r\nname=山田自動車\r\npost=123-4567\r\ntel=03-1234-5678\r\nfax=03-1234-5679\r\n"
    "Address=東京都港区1-2-3\r\nmes1=毎度ありがとうございます\r\n"
    "mes2=次回点検をお待ちしております\r\n";

struct SaveCase {
    const char* name;
    std::string before; // UTF-8 file text; empty: no file
    UserInfo fields;
    std::string after; // UTF-8 file text
};

class UserInfoSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(UserInfoSave, WritesTheSevenKeysInOneReplacement) {
    const SaveCase& c = GetParam();
    TempFolder folder;
    const std::string file = folder.Dir() + "vantodesk_160.INI";
    if (!c.before.empty()) {
        WriteBytes(folder / "vantodesk_160.INI", Sjis(c.before));
    }
    ASSERT_EQ(SaveUserInfo(file, c.fields), UserInfoSaveResult::Done);
    EXPECT_EQ(ReadBytes(folder / "vantodesk_160.INI"), Sjis(c.after));
    EXPECT_EQ(ReadUserInfo(file), c.fields);
    EXPECT_EQ(fs::directory_iterator(folder.Path())->path().filename(), "vantodesk_160.INI"); // no temporary left
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserInfoSave,
    ::testing::Values(
        SaveCase{"MissingFileIsCreated", "", Workshop, WorkshopFile},
        SaveCase{"AllEmptyGiveDashes", "", UserInfo{},
                 "[user]\r\nname=\r\npost=-\r\ntel=--\r\nfax=--\r\nAddress=\r\nmes1=\r\nmes2=\r\n"},
        SaveCase{"StoredValuesSaveBackUnchanged", WorkshopFile, Workshop, WorkshopFile},
        SaveCase{"OnlyTheUserKeysChange", "; 設定\r\n[print]\r\nx=1\r\n[USER]\r\nTel=1\r\nname=旧\r\n\r\n[z]\r\n",
                 UserInfo{"新", {"1", "2"}, {"3", "4", "5"}, {}, "", "", ""},
                 "; 設定\r\n[print]\r\nx=1\r\n[USER]\r\nTel=3-4-5\r\nname=新\r\npost=1-2\r\nfax=--\r\nAddress=\r\n"
                 "mes1=\r\nmes2=\r\n\r\n[z]\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Reading as the settings form and the print setup do (the print setup's postal code defaults to "000-0000").
TEST(UserInfoRead, MissingValuesAndValuesWithoutDash) {
    TempFolder folder;
    const std::string file = folder.Dir() + "u.INI";
    UserInfo printed;
    printed.Post = {"000", "0000"};
    EXPECT_EQ(ReadUserInfo(file), UserInfo{});
    EXPECT_EQ(ReadUserInfoForPrint(file), printed);
    WriteBytes(folder / "u.INI", "[user]\r\npost=\r\ntel=0312345678\r\n");
    UserInfo stored;
    stored.Tel = {"0312345678", "", ""};
    EXPECT_EQ(ReadUserInfo(file), stored);
    EXPECT_EQ(ReadUserInfoForPrint(file), stored); // an empty value is no missing one
}

TEST(UserInfoSaveFailure, NothingIsWrittenAndTheReasonIsReported) {
    TempFolder folder;
    WriteBytes(folder / "u.INI", Sjis(WorkshopFile));
    UserInfo unstorable = Workshop;
    unstorable.Address = "🚗";
    EXPECT_EQ(SaveUserInfo(folder.Dir() + "u.INI", unstorable), UserInfoSaveResult::NotStorable);
    unstorable.Address = "a\r\n[x]";
    EXPECT_EQ(SaveUserInfo(folder.Dir() + "u.INI", unstorable), UserInfoSaveResult::NotStorable);
    EXPECT_EQ(ReadBytes(folder / "u.INI"), Sjis(WorkshopFile));
    fs::create_directories(folder / "dir.INI");
    EXPECT_EQ(SaveUserInfo(folder.Dir() + "dir.INI", Workshop), UserInfoSaveResult::NotWritten);
    EXPECT_EQ(SaveUserInfo(folder.Dir() + "missing/u.INI", Workshop), UserInfoSaveResult::NotWritten);
    EXPECT_EQ(UserInfoSaveMessage(UserInfoSaveResult::NotWritten), "使用者情報を保存できませんでした。");
}

} // namespace
