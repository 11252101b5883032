#include "settings/DataBackup.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <map>
#include <tuple>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

// Everything below a folder: relative path -> file bytes, "<dir>" or "-> link target".
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = PathToUtf8(it->path().lexically_relative(root));
        if (it->is_symlink()) {
            tree[name] = "-> " + PathToUtf8(fs::read_symlink(it->path()));
        } else {
            tree[name] = it->is_directory() ? "<dir>" : ReadBytes(it->path());
        }
    }
    return tree;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(PathToUtf8(entry.path().filename()));
    }
    return names;
}

// A folder as the working paths hold it: UTF-8 with a trailing separator.
std::string Dir(const fs::path& path) {
    return WithTrailingSeparator(PathToUtf8(path));
}

// The folder the backup of `data` takes below `picked`.
fs::path BackupOf(const fs::path& picked, const fs::path& data) {
    return picked / data.relative_path();
}

// A workshop data folder, the customer data and program folders beside it, and a folder to pick for the backup.
class Backup : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(root / "owner/vantodesk_160.INI", Sjis("[user]\r\nname=山田\r\n"));
        WriteBytes(root / "owner/登録文書/定型文.txt", Sjis("異常なし\r\n"));
        WriteBytes(root / "owner/お客様/鈴木/品川1/ﾓﾆﾀ.DT", "");
        WriteBytes(root / "users/VISITOR_M.DT", Sjis("鈴木\r\n"));
        WriteBytes(root / "exe/vantodesk.exe", "program");
#if !defined(_WIN32)
        fs::create_symlink("定型文.txt", root / "owner/登録文書/link");
#endif
    }
    BackupResult Run(int code) {
        return WriteReadData(folders, code, picked);
    }
    fs::path BackupPath() const {
        return BackupOf(root / "pick", root / "owner");
    }

    TempFolder root;
    const std::string data = root.Dir() + "owner/";
    const std::string picked = root.Dir() + "pick/";
    BackupFolders folders{data, root.Dir() + "users/", root.Dir() + "exe/"};
};

TEST(BackupTexts, PerOperation) {
    struct Case {
        int code;
        const char* action;
        const char* done;
        const char* folder;
    };
    for (const Case& c : {Case{5, "書き出す", "基本情報の書出しに成功しました。", "/o/"},
                          Case{9, "読み込む", "基本情報の読込みに成功しました。", "/o/"},
                          Case{6, "書き出す", "お客様情報の書出しに成功しました。", "/u/"},
                          Case{10, "読み込む", "お客様情報の読込みに成功しました。", "/u/"}}) {
        const FolderDialogOptions request = ChooseFolderFor(c.code, "/o/", "/u/");
        EXPECT_EQ(request.instruction,
                  c.action + std::string("場所を選択して【決　　定】ボタンをクリックして下さい。"));
        EXPECT_EQ(request.initialFolder, c.folder);
        EXPECT_EQ(BackupResultMessage(c.code, true), c.done);
        EXPECT_EQ(ReloadsSettings(c.code), c.code == 9);
    }
    EXPECT_EQ(BackupResultMessage(10, false), "お客様情報の読込みに失敗しました。");
    const DetailState shown = ToggleDetail("詳細設定");
    const DetailState hidden = ToggleDetail(shown.Caption);
    EXPECT_EQ(std::tie(shown.Caption, shown.Visible, shown.Height), std::make_tuple("詳細設定を終了", true, 730));
    EXPECT_EQ(std::tie(hidden.Caption, hidden.Visible, hidden.Height), std::make_tuple("詳細設定", false, 590));

    // A long list names twenty entries and counts the rest.
    std::vector<std::string> many;
    std::string listed;
    for (int i = 0; i < 22; ++i) {
        many.push_back("f" + std::to_string(i));
        listed += i < 20 ? "\nf" + std::to_string(i) : "";
    }
    EXPECT_EQ(NotRestoredMessage(9, many),
              "基本情報の読込みに失敗しました。\n\n次のファイルは復元できませんでした" + listed + "\nほか 2 ファイル");
}

TEST(BackupTexts, ProgramFileNames) {
    for (const char* name : {"vantodesk.exe", "Qt6Core.DLL", "libuusbqk.so", "libQt6Core.so.6.4.2"}) {
        EXPECT_TRUE(IsProgramFileName(PathFromUtf8(name))) << name;
    }
    EXPECT_TRUE(IsProgramFileName(PathFromUtf8(ExecutableFileName())));
    for (const char* name : {"ﾓﾆﾀ.DT", "VANTO_DATA.ini", "dll", "a.dll.bak", "x.so.txt", "exe.txt"}) {
        EXPECT_FALSE(IsProgramFileName(PathFromUtf8(name))) << name;
    }
}

TEST(BackupTexts, TheBackupFolderLiesBelowThePickedFolder) {
    const fs::path picked = fs::temp_directory_path() / "usb";
    const fs::path data = fs::temp_directory_path() / "k" / "Owner";
    const std::string expected = Dir(picked / data.relative_path());
    EXPECT_EQ(BackupFolder(Dir(picked), Dir(data)), expected);
    // ".." in the data folder's path never leads the backup out of the picked folder.
    EXPECT_EQ(BackupFolder(Dir(picked), Dir(data / "x" / "..")), expected);
}

TEST_F(Backup, ExportThenImportRestoresChangedAndDeletedFilesAndFolderTimes) {
    const auto saved = Tree(root / "owner");
    // A time two days back, given to the vehicle folder through a file (MinGW's library sets times on files only).
    WriteBytes(root / "stamp", "");
    fs::last_write_time(root / "stamp", fs::last_write_time(root / "stamp") - std::chrono::hours(48));
    ASSERT_TRUE(CopyModificationTime(root / "stamp", root / "owner/お客様/鈴木/品川1"));
    const auto vehicleTime = fs::last_write_time(root / "stamp");
    const BackupResult exported = Run(backup::WorkshopExport);
    EXPECT_EQ(exported.Outcome, BackupOutcome::Done);
    EXPECT_EQ(exported.Message, "基本情報の書出しに成功しました。");
    EXPECT_EQ(Tree(BackupPath()), saved);

    WriteBytes(root / "owner/vantodesk_160.INI", "changed");
    fs::remove_all(root / "owner/お客様");
    WriteBytes(root / "owner/new.txt", "new");
    const BackupResult imported = Run(backup::WorkshopImport);
    EXPECT_EQ(imported.Message, "基本情報の読込みに成功しました。");
    auto expected = saved;
    expected["new.txt"] = "new"; // an import removes nothing
    EXPECT_EQ(Tree(root / "owner"), expected);
    EXPECT_EQ(fs::last_write_time(root / "owner/お客様/鈴木/品川1"), vehicleTime);
}

TEST_F(Backup, ASecondExportReplacesTheFirstWholeAndLeavesNothingBeside) {
    WriteBytes(root / "owner/gone.txt", "gone");
    fs::permissions(root / "owner/gone.txt", fs::perms::owner_read); // copied read-only into the backup
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    fs::permissions(root / "owner/gone.txt", fs::perms::owner_write,
                    fs::perm_options::add); // Windows removes no read-only file
    fs::remove(root / "owner/gone.txt");
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    EXPECT_EQ(Tree(BackupPath()), Tree(root / "owner"));
    EXPECT_EQ(Names(BackupPath().parent_path()), std::vector<std::string>{"owner"});
}

TEST_F(Backup, AFailedExportKeepsThePreviousBackupWhole) {
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    const auto first = Tree(BackupPath());
    WriteBytes(root / "owner/a-new.txt", "new");
#if !defined(_WIN32)
    ASSERT_EQ(mkfifo(PathToUtf8(root / "owner/pipe").c_str(), 0600), 0); // no contents: fails even for root
    const BackupResult fifo = Run(backup::WorkshopExport);
    EXPECT_EQ(fifo.Outcome, BackupOutcome::Failed);
    EXPECT_EQ(fifo.Message, "基本情報の書出しに失敗しました。");
    fs::remove(root / "owner/pipe");
#endif
    int copies = 0;
    const BackupResult hook =
        WriteReadData(folders, backup::WorkshopExport, picked, [&](const auto& from, const auto& to) {
            return ++copies < 3 && CopyDataFile(from, to); // fails after two files are copied
        });
    EXPECT_EQ(hook.Outcome, BackupOutcome::Failed);
    EXPECT_EQ(hook.Message, "基本情報の書出しに失敗しました。");
    EXPECT_EQ(Tree(BackupPath()), first);
    EXPECT_EQ(Names(BackupPath().parent_path()), std::vector<std::string>{"owner"});
    const BackupResult noBackup = WriteReadData(folders, backup::CustomerImport, root.Dir() + "empty/");
    EXPECT_EQ(noBackup.Message, "お客様情報の読込みに失敗しました。");
}

// With the data beside the program, an import restores all it can, leaves the program's files alone and names
// what it could not restore.
TEST_F(Backup, AnImportGoesOnPastFailuresAndNeverWritesTheProgramsFiles) {
    const BackupFolders beside{root.Dir() + "exe/", folders.UsersDir, root.Dir() + "exe/"};
    WriteBytes(root / "exe/platforms/qwindows.dll", "plugin");
    WriteBytes(root / "exe/libuusbqk.so", "library");
    WriteBytes(root / "exe/a.txt", "a");
    WriteBytes(root / "exe/登録文書/文例.txt", "文例");
    WriteBytes(root / "exe/お客様/鈴木/鈴木.DT", "profile");
    WriteBytes(root / "exe/お客様/鈴木/品川1/ﾓﾆﾀ.DT", "index");
    ASSERT_EQ(WriteReadData(beside, backup::WorkshopExport, picked).Outcome, BackupOutcome::Done);
    const auto saved = Tree(root / "exe");

    // The running program is newer than the backup's copy; two places cannot take the backup's entries.
    for (const char* file : {"exe/vantodesk.exe", "exe/platforms/qwindows.dll", "exe/libuusbqk.so"}) {
        WriteBytes(root / file, "running");
    }
    fs::remove_all(root / "exe/お客様");
    fs::remove_all(root / "exe/登録文書");
    WriteBytes(root / "exe/登録文書", "a file where the backup has a folder");
    // Folders where the backup has files, at two places: whichever comes first, the other is still restored.
    fs::remove(root / "exe/a.txt");
    fs::create_directories(root / "exe/a.txt/inside");
    fs::create_directories(root / "exe/お客様/鈴木/鈴木.DT/inside");
    const auto program = Tree(root / "exe");

    const BackupResult result = WriteReadData(beside, backup::WorkshopImport, picked);
    EXPECT_EQ(result.Outcome, BackupOutcome::Failed);
    EXPECT_EQ(result.Icon, DialogIcon::Warning);
    const std::string sep(FolderSeparator);
    EXPECT_EQ(result.Message, "基本情報の読込みに失敗しました。\n\n次のファイルは復元できませんでした\na.txt\nお客様" +
                                  sep + "鈴木" + sep + "鈴木.DT\n登録文書" + sep);
    auto expected = saved;
    expected.erase(PathToUtf8(PathFromUtf8("登録文書/文例.txt").make_preferred()));
    for (const char* entry : {"vantodesk.exe", "platforms/qwindows.dll", "libuusbqk.so", "a.txt", "a.txt/inside",
                              "お客様/鈴木/鈴木.DT", "お客様/鈴木/鈴木.DT/inside", "登録文書"}) {
        const std::string name = PathToUtf8(PathFromUtf8(entry).make_preferred());
        expected[name] = program.at(name);
    }
    EXPECT_EQ(Tree(root / "exe"), expected);

    // Outside the program's folder, a program file in the data is data like any other.
    WriteBytes(root / "users/tool.exe", "tool");
    ASSERT_EQ(Run(backup::CustomerExport).Outcome, BackupOutcome::Done);
    fs::remove(root / "users/tool.exe");
    EXPECT_EQ(Run(backup::CustomerImport).Outcome, BackupOutcome::Done);
    EXPECT_EQ(ReadBytes(root / "users/tool.exe"), "tool");
}

// The backup folder may not be, contain or lie inside the data folders or the program's folder: refused both
// ways, nothing touched.
TEST_F(Backup, PlacesOverlappingADataOrProgramFolderAreRefused) {
    const fs::path owner = root / "owner";
    const fs::path pick = root / "pick";
    struct Case {
        const char* name;
        int code;
        BackupFolders folders;
        fs::path picked;
    };
    const std::vector<Case> cases{
        {"the data folder itself", backup::WorkshopExport, folders, owner.root_path()},
        {"inside the data folder", backup::WorkshopExport, folders, owner / "登録文書"},
        {"the data folder picked", backup::WorkshopImport, folders, owner},
        // The workshop data's backup would replace the customer data (D:\vanto\, E:\vanto\, export to E:\).
        {"the other data folder", backup::WorkshopExport, {data, Dir(BackupOf(pick, owner)), folders.ExeDir}, pick},
        {"around the other data folder",
         backup::WorkshopImport,
         {data, Dir(BackupOf(pick, owner) / "お客様"), folders.ExeDir},
         pick},
        {"inside the program's folder", backup::CustomerExport, {data, folders.UsersDir, Dir(pick)}, pick},
        {"around the program's folder",
         backup::WorkshopExport,
         {data, folders.UsersDir, Dir(BackupOf(pick, owner) / "bin")},
         pick},
    };
    for (const Case& c : cases) {
        fs::create_directories(c.picked);
        const auto before = Tree(root.Path());
        const BackupResult result = WriteReadData(c.folders, c.code, Dir(c.picked));
        EXPECT_EQ(result.Outcome, BackupOutcome::Refused) << c.name;
        EXPECT_EQ(result.Message, "選択した場所はデータのフォルダと重なるため使えません。別の場所を選択して下さい。")
            << c.name;
        EXPECT_EQ(result.Icon, DialogIcon::Warning) << c.name;
        EXPECT_EQ(Tree(root.Path()), before) << c.name;
    }
}

// Folders are compared by whole names: .../owner2 and .../own are neither inside nor around .../owner.
TEST_F(Backup, FoldersWhoseNamesOnlyStartAlikeDoNotOverlap) {
    const fs::path backupPath = BackupPath();
    const BackupFolders alike{data, Dir(backupPath.parent_path() / "owner2"), Dir(backupPath.parent_path() / "own")};
    WriteBytes(backupPath.parent_path() / "owner2/VISITOR_M.DT", "keep");
    WriteBytes(backupPath.parent_path() / "own/vantodesk.exe", "keep");
    ASSERT_EQ(WriteReadData(alike, backup::WorkshopExport, picked).Outcome, BackupOutcome::Done);
    EXPECT_EQ(Tree(backupPath), Tree(root / "owner"));
    EXPECT_EQ(ReadBytes(backupPath.parent_path() / "owner2/VISITOR_M.DT"), "keep");
    EXPECT_EQ(ReadBytes(backupPath.parent_path() / "own/vantodesk.exe"), "keep");
}

// A data folder at a root would have the picked folder itself as its backup: refused before anything is chosen.
TEST_F(Backup, ADataFolderAtARootIsRefused) {
    fs::path rootFolder = root.Path().root_path();
#if defined(_WIN32)
    // Another drive than the picked folder's (Wine has C: and Z:), so that only this rule stands in the way.
    rootFolder = PathFromUtf8(std::toupper(PathToUtf8(rootFolder)[0]) == 'C' ? "Z:\\" : "C:\\");
#endif
    WriteBytes(root / "pick/keep.txt", "keep");
    const auto before = Tree(root.Path());
    int copies = 0;
    const auto counted = [&](const fs::path&, const fs::path&) {
        ++copies;
        return false;
    };
    for (const std::string& place : {Dir(rootFolder), Dir(rootFolder / "x" / "..")}) {
        const BackupFolders atRoot{place, place, folders.ExeDir};
        for (int code : {backup::WorkshopExport, backup::CustomerImport}) {
            ASSERT_TRUE(RefusalBeforeChoosing(atRoot, code).has_value()) << place;
            const BackupResult result = WriteReadData(atRoot, code, picked, counted);
            EXPECT_EQ(result.Outcome, BackupOutcome::Refused) << place;
            EXPECT_EQ(result.Message, "データのフォルダがドライブの最上位にあるため、書出しと読込みはできません。");
        }
    }
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(Tree(root.Path()), before);
    EXPECT_FALSE(RefusalBeforeChoosing(folders, backup::WorkshopExport).has_value());
}

#if defined(_WIN32)
// Windows compares names without letter case: d:\data\ picked as D:\ is the data folder itself.
TEST_F(Backup, OnWindowsFoldersDifferingInLetterCaseAreTheSame) {
    std::string lower = data;
    lower[0] = static_cast<char>(std::tolower(lower[0]));
    std::string upperRoot = PathToUtf8(root.Path().root_path());
    upperRoot[0] = static_cast<char>(std::toupper(upperRoot[0]));
    std::string shouting = root.Dir() + "OWNER\\登録文書\\";
    const auto before = Tree(root.Path());
    for (const std::string& place : {upperRoot, shouting}) {
        const BackupResult result = WriteReadData({lower, folders.UsersDir, folders.ExeDir}, 5, place);
        EXPECT_EQ(result.Outcome, BackupOutcome::Refused) << place;
    }
    EXPECT_EQ(Tree(root.Path()), before);
}
#else
TEST_F(Backup, AnOldBackupThatIsALinkIsReplacedWithoutTouchingWhereItPoints) {
    WriteBytes(root / "elsewhere/keep.txt", "keep");
    fs::create_directories(BackupPath().parent_path());
    fs::create_directory_symlink(root / "elsewhere", BackupPath());
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    EXPECT_FALSE(fs::is_symlink(BackupPath()));
    EXPECT_EQ(Tree(BackupPath()), Tree(root / "owner"));
    EXPECT_EQ(ReadBytes(root / "elsewhere/keep.txt"), "keep");
}

// A link at the backup folder's place that leads to a folder above the data folder.
TEST_F(Backup, ABackupPlaceLinkedAroundTheDataIsRefused) {
    const fs::path linkPlace = BackupOf(root / "pick", root / "up/owner");
    fs::create_directories(linkPlace.parent_path());
    fs::create_directory_symlink(root.Path(), linkPlace);
    const auto before = Tree(root.Path());
    const BackupResult result = WriteReadData({root.Dir() + "up/owner/", "", ""}, backup::WorkshopExport, picked);
    EXPECT_EQ(result.Outcome, BackupOutcome::Refused);
    EXPECT_EQ(Tree(root.Path()), before);
}
#endif

} // namespace
