// What only Windows shows: junctions inside a removed folder, saves over a file another program holds open, and
// folder times as the register sorts them.
#include "common/Paths.h"
#include "common/TextFile.h"
#include "register/Folders.h"
#include "register/Register.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <windows.h>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

// Makes `link` a junction (mount point) to the folder `target`, as mklink /J does. False when the file system
// cannot (Wine 8 makes no reparse points).
bool MakeJunction(const fs::path& link, const fs::path& target) {
    struct MountPoint {
        DWORD tag;
        WORD dataLength;
        WORD reserved;
        WORD substituteOffset, substituteLength, printOffset, printLength;
        WCHAR paths[1024];
    } buffer{};
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
    const std::wstring print = fs::absolute(target).wstring();
    const WORD substituteBytes = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
    const WORD printBytes = static_cast<WORD>(print.size() * sizeof(WCHAR));
    buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
    buffer.substituteLength = substituteBytes;
    buffer.printOffset = static_cast<WORD>(substituteBytes + sizeof(WCHAR));
    buffer.printLength = printBytes;
    substitute.copy(buffer.paths, substitute.size());
    print.copy(buffer.paths + substitute.size() + 1, print.size());
    buffer.dataLength = static_cast<WORD>(8 + substituteBytes + printBytes + 2 * sizeof(WCHAR));
    if (!CreateDirectoryW(link.c_str(), nullptr)) {
        return false;
    }
    HANDLE handle = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD returned = 0;
    const BOOL made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, &buffer, 8 + buffer.dataLength, nullptr, 0,
                                      &returned, nullptr);
    CloseHandle(handle);
    return made != 0;
}

// Sets a folder's last-write time to the local time given (folders need the backup-semantics open).
void SetFolderTime(const fs::path& folder, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0};
    SYSTEMTIME utc{};
    FILETIME time{};
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &time));
    HANDLE handle = CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(handle, nullptr, nullptr, &time));
    CloseHandle(handle);
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(PathToUtf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(WindowsFolders, RemovalTakesAJunctionAwayAndLeavesItsTargetWhole) {
    TempFolder folder;
    WriteBytes(folder / "外/保存.txt", "keep");
    WriteBytes(folder / "車両/記録.MONDT", "1");
    if (!MakeJunction(folder / "車両/リンク", folder / "外")) {
        GTEST_SKIP() << "this system makes no junctions (error " << GetLastError() << ")";
    }
    ASSERT_TRUE(fs::exists(folder / "車両/リンク/保存.txt")); // the junction leads there
    // A junction is no vehicle folder.
    EXPECT_EQ(EnumerateVehicleFolders(folder.Dir()), (std::vector<std::string>{"外", "車両"}));
    EXPECT_EQ(EnumerateVehicleFolders(PathToUtf8(folder / "車両")), std::vector<std::string>());

    EXPECT_TRUE(ForceRemoveDir(PathToUtf8(folder / "車両")));
    EXPECT_FALSE(fs::exists(folder / "車両"));
    EXPECT_EQ(ReadBytes(folder / "外/保存.txt"), "keep");

    // A folder that is itself a junction: only the junction goes.
    ASSERT_TRUE(MakeJunction(folder / "別名", folder / "外"));
    EXPECT_TRUE(ForceRemoveDir(PathToUtf8(folder / "別名") + "\\"));
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"外"});
    EXPECT_EQ(ReadBytes(folder / "外/保存.txt"), "keep");
}

TEST(WindowsFiles, ASaveOverAFileHeldOpenIsRefusedAndTheOldFileStays) {
    TempFolder folder;
    const fs::path file = folder / "VISITOR_M.DT";
    ASSERT_TRUE(WriteFileAtomic(file, "old\r\n"));
    // Opened as most programs open a file they read: without sharing its deletion.
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFileAtomic(file, "new\r\n"));
    EXPECT_FALSE(SaveSjisLines(file, {"新しい"}));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(file), "old\r\n");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"VISITOR_M.DT"}); // no temporary left behind

    // Once the file is free, saves go through.
    EXPECT_TRUE(WriteFileAtomic(file, "newer\r\n"));
    EXPECT_EQ(ReadBytes(file), "newer\r\n");
}

TEST(WindowsFolders, FolderTimesAreLocalDosTimesAndOrderTheVehicles) {
    TempFolder folder;
    fs::create_directories(folder / "お客様/山田");
    const Register reg(folder.Dir() + "お客様", folder.Dir() + "VISITOR_M.DT", folder.Dir());
    for (const char* vehicle : {"品川1", "品川2", "品川3"}) {
        fs::create_directories(folder / (std::string("お客様/山田/") + vehicle));
    }
    SetFolderTime(folder / "お客様/山田/品川1", 2024, 3, 9, 23, 59, 59);
    SetFolderTime(folder / "お客様/山田/品川2", 2023, 12, 31, 8, 0, 1);
    SetFolderTime(folder / "お客様/山田/品川3", 2024, 3, 9, 23, 59, 58); // the same two-second step as 品川1

    EXPECT_EQ(FolderTime(PathToUtf8(folder / "お客様/山田/品川1")), PackDosDateTime(2024, 3, 9, 23, 59, 59));
    EXPECT_EQ(FolderTime(PathToUtf8(folder / "お客様/山田/品川2")), PackDosDateTime(2023, 12, 31, 8, 0, 0));
    std::vector<std::string> order;
    for (const auto& vehicle : reg.ListVehicles("山田")) {
        order.push_back(vehicle.Number);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"品川2", "品川1", "品川3"}));
}

// A restored register keeps its vehicles' order: the folders' times are copied, not only the files'.
TEST(WindowsFolders, FolderTimesAreCopied) {
    TempFolder folder;
    fs::create_directories(folder / "from");
    fs::create_directories(folder / "to");
    SetFolderTime(folder / "from", 2023, 12, 31, 8, 0, 2);
    ASSERT_TRUE(CopyModificationTime(folder / "from", folder / "to"));
    EXPECT_EQ(FolderTime(PathToUtf8(folder / "to")), PackDosDateTime(2023, 12, 31, 8, 0, 2));
}
