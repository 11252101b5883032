#include "settings/DataBackup.h"

#include "common/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

// A workshop data folder and a folder to pick for its backup.
class Backup : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(root / "owner/vantodesk_160.INI", Sjis("[user]\r\nname=山田\r\n"));
        WriteBytes(root / "owner/登録文書/定型文.txt", Sjis("異常なし\r\n"));
        WriteBytes(root / "owner/お客様/鈴木/品川1/ﾓﾆﾀ.DT", "");
        fs::create_symlink("定型文.txt", root / "owner/登録文書/link");
    }
    BackupResult Run(int code) { return WriteReadData(data, code, picked); }
    // Without the trailing separator, so that the path names the folder itself.
    fs::path BackupPath() const { return PathFromUtf8(BackupFolder(picked, data)).parent_path(); }

    TempFolder root;
    const std::string data = root.Dir() + "owner/";
    const std::string picked = root.Dir() + "pick/";
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
    EXPECT_EQ(BackupFolder("/media/usb/", "/home/k/Owner/"), "/media/usb/home/k/Owner/");
    const DetailState shown = ToggleDetail("詳細設定");
    const DetailState hidden = ToggleDetail(shown.Caption);
    EXPECT_EQ(std::tie(shown.Caption, shown.Visible, shown.Height), std::make_tuple("詳細設定を終了", true, 730));
    EXPECT_EQ(std::tie(hidden.Caption, hidden.Visible, hidden.Height), std::make_tuple("詳細設定", false, 590));
}

TEST_F(Backup, ExportThenImportRestoresChangedAndDeletedFilesAndFolderTimes) {
    const auto saved = Tree(root / "owner");
    const auto vehicleTime = fs::last_write_time(root / "owner/お客様/鈴木/品川1") - std::chrono::hours(48);
    fs::last_write_time(root / "owner/お客様/鈴木/品川1", vehicleTime);
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
    fs::remove(root / "owner/gone.txt");
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    EXPECT_EQ(Tree(BackupPath()), Tree(root / "owner"));
    EXPECT_EQ(Names(BackupPath().parent_path()), std::vector<std::string>{"owner"});
}

TEST_F(Backup, AFailedExportKeepsThePreviousBackupWhole) {
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    const auto first = Tree(BackupPath());
    WriteBytes(root / "owner/a-new.txt", "new");
    ASSERT_EQ(mkfifo(PathToUtf8(root / "owner/pipe").c_str(), 0600), 0); // no contents: fails even for root
    const BackupResult fifo = Run(backup::WorkshopExport);
    EXPECT_EQ(fifo.Outcome, BackupOutcome::Failed);
    EXPECT_EQ(fifo.Message, "基本情報の書出しに失敗しました。");
    fs::remove(root / "owner/pipe");
    int copies = 0;
    const BackupResult hook =
        WriteReadData(data, backup::WorkshopExport, picked, [&](const auto& from, const auto& to) {
            return ++copies < 3 && CopyDataFile(from, to); // fails after two files are copied
        });
    EXPECT_EQ(hook.Outcome, BackupOutcome::Failed);
    EXPECT_EQ(Tree(BackupPath()), first);
    EXPECT_EQ(Names(BackupPath().parent_path()), std::vector<std::string>{"owner"});
    const BackupResult noBackup = WriteReadData(data, backup::CustomerImport, root.Dir() + "empty/");
    EXPECT_EQ(noBackup.Message, "お客様情報の読込みに失敗しました。");
}

TEST_F(Backup, AnOldBackupThatIsALinkIsReplacedWithoutTouchingWhereItPoints) {
    WriteBytes(root / "elsewhere/keep.txt", "keep");
    fs::create_directories(BackupPath().parent_path());
    fs::create_directory_symlink(root / "elsewhere", BackupPath());
    ASSERT_EQ(Run(backup::WorkshopExport).Outcome, BackupOutcome::Done);
    EXPECT_FALSE(fs::is_symlink(BackupPath()));
    EXPECT_EQ(Tree(BackupPath()), Tree(root / "owner"));
    EXPECT_EQ(ReadBytes(root / "elsewhere/keep.txt"), "keep");
}

// Backup folders that are the data folder, lie inside it or contain it: refused, nothing touched.
TEST_F(Backup, OverlappingFoldersAreRefused) {
    fs::create_directories(root / "pick");
    const std::string containing = root.Dir() + "pick/";
    // A link at the backup folder's place that leads to a folder above the data folder.
    const fs::path linkPlace = PathFromUtf8(BackupFolder(containing, root.Dir() + "up/owner/")).parent_path();
    fs::create_directories(linkPlace.parent_path());
    fs::create_directory_symlink(root.Path(), linkPlace);
    const auto before = Tree(root.Path());
    struct Case {
        std::string data, picked;
    };
    for (const Case& c : {Case{data, "/"}, Case{data, data + "登録文書/"}, Case{data, data},
                          Case{root.Dir() + "up/owner/", containing}}) {
        for (int code : {backup::WorkshopExport, backup::WorkshopImport, backup::CustomerExport}) {
            const BackupResult result = WriteReadData(c.data, code, c.picked);
            EXPECT_EQ(result.Outcome, BackupOutcome::Refused) << c.data << " " << c.picked;
            EXPECT_EQ(result.Message, BackupOverlapText);
        }
    }
    EXPECT_EQ(Tree(root.Path()), before);
}

} // namespace
