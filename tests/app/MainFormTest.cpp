#include "app/ui/MainForm.h"
#include "common/Paths.h"
#include "support/AppFixture.h"

#include <QPushButton>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

// The program keeps its folders with the platform's separator at the end.
const std::string Separator(FolderSeparator);

class MainFormTest : public AppFixture {};

TEST_F(MainFormTest, FreshStartShowsTheMenuWithTheEntryTitle) {
    StartAndShow();
    EXPECT_EQ(main->windowTitle().toStdString(), "診断機よりデータの読み込み");
    EXPECT_EQ(main->State.TesterName, "テスター");
    EXPECT_EQ(main->State.Paths.VisitorFile, folder.Dir() + "VISITOR_M.DT");
    EXPECT_TRUE(fs::exists(folder / "VISITOR_M.DT"));
    EXPECT_TRUE(fs::exists(folder / "str_dic.txt"));
    EXPECT_TRUE(fs::is_directory(folder / "お客様"));

    struct Expected {
        const char* caption;
        int width;
        int fontPixels;
    };
    for (const Expected& e : {Expected{"テスターよりモニタデータ読み込み", 480, 27},
                              Expected{"参  考  値  管  理", 480, 27}, Expected{"連 続 記 録 の 読 出 し", 480, 27},
                              Expected{"プログラムの基本設定", 480, 27}, Expected{"終　了", 177, 32}}) {
        auto* button = Named<QPushButton>(main, e.caption);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->size(), QSize(e.width, 57)) << e.caption;
        EXPECT_EQ(button->font().pixelSize(), e.fontPixels) << e.caption;
        // Every function's form is part of the program: every button opens one.
        EXPECT_TRUE(button->isEnabled()) << e.caption;
    }
}

TEST_F(MainFormTest, MarkerFileSetsTitleAndCaption) {
    WriteBytes(folder / "Osprey.ini", "");
    WriteBytes(folder / "Heron3.ini", "");
    StartAndShow();
    EXPECT_EQ(main->windowTitle().toStdString(), "PC-Lumen");
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), "PC-Lumen");
}

TEST_F(MainFormTest, SecondShowRecomputesPathsAndDoesNotConvertAgain) {
    WriteBytes(folder / "mon_gest.HR3OR", Sjis("{山田},{},{},{},{M},{},{},{},{},\r\n"));
    StartAndShow();
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("山田\r\n"));

    WriteBytes(folder / "mon_gest.HR3OR", Sjis("{鈴木},{},{},{},{M},{},{},{},{},\r\n"));
    main->State.Paths.CustomerRoot = "elsewhere";
    main->hide();
    main->show();
    ProcessEvents();
    EXPECT_EQ(main->State.Paths.CustomerRoot, folder.Dir() + "お客様" + Separator);
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("山田\r\n"));
    EXPECT_FALSE(fs::exists(folder / "お客様/鈴木"));
}

TEST_F(MainFormTest, ConfiguredDataFoldersAreCreated) {
    WriteBytes(folder / "VANTO_DATA.ini",
               "[OWNER]\r\nDIR=" + folder.Dir() + "owner\r\n[USERS]\r\nDIR=" + folder.Dir() + "users/\r\n");
    StartAndShow();
    EXPECT_FALSE(main->ConstructionError);
    EXPECT_EQ(main->State.Paths.UserInfoFile, folder.Dir() + "owner" + Separator + "vantodesk_160.INI");
    EXPECT_TRUE(fs::exists(folder / "users/VISITOR_M.DT"));
    EXPECT_TRUE(fs::exists(folder / "owner/str_dic.txt"));
}

TEST_F(MainFormTest, FolderThatCannotBeCreatedIsReported) {
    WriteBytes(folder / "blocker", "");
    WriteBytes(folder / "VANTO_DATA.ini", "[USERS]\r\nDIR=" + folder.Dir() + "blocker/users\r\n");
    Start();
    ASSERT_TRUE(main->ConstructionError);
    EXPECT_EQ(*main->ConstructionError, folder.Dir() + "blocker/users" + Separator);
}

TEST_F(MainFormTest, QuitClosesTheMenu) {
    StartAndShow();
    Press(main, "終　了");
    EXPECT_FALSE(main->isVisible());
}

} // namespace
