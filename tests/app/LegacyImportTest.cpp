#include "app/LegacyImport.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace vanto;
using vanto::test::ReadBytes;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

class LegacyImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        paths.ExeDir = paths.OwnerDir = paths.UsersDir = folder.Dir();
        ComposePaths(paths, "vantodesk");
        WriteBytes(PathOf(paths.VisitorFile), "");
        fs::create_directories(folder / "お客様");
    }

    static fs::path PathOf(const std::string& utf8) { return fs::path(utf8); }

    void Convert(const std::string& legacyUtf8) {
        WriteBytes(folder / "mon_gest.HR3OR", Sjis(legacyUtf8));
        LegacyImport(paths);
    }

    std::set<std::string> FilesIn(const std::string& relative) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder / relative)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    TempFolder folder;
    WorkingPaths paths;
};

TEST_F(LegacyImportTest, ExampleLineWritesEveryFileExactly) {
    WriteBytes(folder / "X1.MONDT", "12,ABC,,3.5,tail\r\nsecond,line,\r\n");
    Convert("{山田},{03-1111},{},{東京},{},{A},{B},{C},{D},X1,X2,\r\n");

    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("山田\r\n"));
    EXPECT_EQ(FilesIn("お客様/山田"), (std::set<std::string>{"山田.DT", "未登録2"}));
    EXPECT_EQ(ReadBytes(folder / "お客様/山田/山田.DT"), Sjis("[TEL]\r\nNUM=1\r\nDATA0=03-1111\r\n"
                                                              "[POST_NO]\r\nNUM=1\r\nDATA0=000-0000\r\n"
                                                              "[ADD]\r\nNUM=1\r\nDATA0=東京\r\n"
                                                              "[CAR_NO]\r\nNUM=2\r\nDATA1=未登録2\r\n"));
    EXPECT_EQ(FilesIn("お客様/山田/未登録2"), (std::set<std::string>{"未登録2.DT", "ﾓﾆﾀ.DT", "X1.MONDT"}));
    EXPECT_EQ(ReadBytes(folder / "お客様/山田/未登録2/未登録2.DT"), Sjis("[MAKER]\r\nNUM=1\r\nDATA0=\r\n"
                                                                         "[TYPE_CAR]\r\nNUM=1\r\nDATA0=A\r\n"
                                                                         "[MODEL]\r\nNUM=1\r\nDATA0=B\r\n"
                                                                         "[ENGING_TYPE]\r\nNUM=1\r\nDATA0=C\r\n"
                                                                         "[COMMENT]\r\nNUM=1\r\nDATA0=D\r\n"));
    EXPECT_EQ(ReadBytes(folder / "お客様/山田/未登録2/ﾓﾆﾀ.DT"), "X1\r\nX2\r\n");
    // Every comma-terminated value of the first line; the text after the last comma is dropped.
    EXPECT_EQ(ReadBytes(folder / "お客様/山田/未登録2/X1.MONDT"), "12\r\nABC\r\n\r\n3.5\r\n");
    // The legacy files are only read.
    EXPECT_EQ(ReadBytes(folder / "X1.MONDT"), "12,ABC,,3.5,tail\r\nsecond,line,\r\n");
}

TEST_F(LegacyImportTest, VehicleCounterFollowsTheMakerField) {
    Convert("{佐藤},{},{},{},{トヨタ},{},{},{},{},\r\n"
            "{佐藤},{},{},{},{},{},{},{},{},\r\n"
            "{鈴木},{},{},{},{日産},{},{},{},{},\r\n");
    // A second line of the same customer adds a vehicle; the customer is listed once.
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("佐藤\r\n鈴木\r\n"));
    EXPECT_EQ(ReadBytes(folder / "お客様/佐藤/佐藤.DT"),
              Sjis("[CAR_NO]\r\nNUM=2\r\nDATA0=未登録1\r\nDATA1=未登録2\r\n"));
    EXPECT_EQ(ReadBytes(folder / "お客様/佐藤/未登録1/未登録1.DT").substr(0, 28),
              Sjis("[MAKER]\r\nNUM=1\r\nDATA0=トヨタ"));
    EXPECT_TRUE(fs::is_directory(folder / "お客様/佐藤/未登録2"));
    EXPECT_TRUE(fs::is_directory(folder / "お客様/鈴木/未登録1"));
    EXPECT_EQ(ReadBytes(folder / "お客様/佐藤/未登録1/ﾓﾆﾀ.DT"), "");
}

TEST_F(LegacyImportTest, LastLineWithoutLineBreakIsNotConverted) {
    Convert("{山田},{},{},{},{M},{},{},{},{},\r\n{田中},{},{},{},{M},{},{},{},{},");
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("山田\r\n"));
    EXPECT_FALSE(fs::exists(folder / "お客様/田中"));
}

TEST_F(LegacyImportTest, LinesWithoutAUsableCustomerNameAreSkippedWhole) {
    Convert("{},{03},{},{東京},{M},{},{},{},{},X1,\r\n"
            "{a/b},{03},{},{東京},{M},{},{},{},{},X1,\r\n"
            "{山田},{},{},{},{M},{},{},{},{},\r\n");
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("山田\r\n"));
    EXPECT_EQ(FilesIn("お客様"), (std::set<std::string>{"山田"}));
}

TEST_F(LegacyImportTest, DoubleByteCharacterEndingInBraceIsNotASeparator) {
    // "マ" is 0x83 0x7D: its second byte is the "}" of a separator.
    Convert("{マ,{x},{},{},{},{M},{},{},{},{},\r\n");
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("マ,{x\r\n"));
}

TEST_F(LegacyImportTest, RecordNamesThatAreNoFileNamesAreListedButNotCopied) {
    WriteBytes(folder / "ok.MONDT", "1,2,\r\n");
    Convert("{山田},{},{},{},{M},{},{},{},{},../../evil,,ok,\r\n");
    EXPECT_EQ(ReadBytes(folder / "お客様/山田/未登録1/ﾓﾆﾀ.DT"), "../../evil\r\nok\r\n");
    EXPECT_EQ(FilesIn("お客様/山田/未登録1"), (std::set<std::string>{"未登録1.DT", "ﾓﾆﾀ.DT", "ok.MONDT"}));
}

} // namespace
