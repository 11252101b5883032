// What only Windows shows: junctions inside a removed folder, saves over a file another program holds open, and
// folder times as the register sorts them.
#include "common/FileSystem.h"
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
        RemoveDirectoryW(link.c_str());
        return false;
    }
    DWORD returned = 0;
    const BOOL made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, &buffer, 8 + buffer.dataLength, nullptr, 0,
                                      &returned, nullptr);
    CloseHandle(handle);
    if (!made) {
        RemoveDirectoryW(link.c_str());
    }
    return made != 0;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Starts a program of the host system in `folder` and waits until `done` holds. Wine starts Unix programs like its
// own, but detached: the handle it gives back tells neither when the program ends nor how.
template <typename Done>
bool RunHostProgram(const wchar_t* program, std::wstring commandLine, const fs::path& folder, Done done) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return false;
    }
    for (HANDLE handle : {process.hThread, process.hProcess}) {
        if (handle) {
            CloseHandle(handle);
        }
    }
    for (int wait = 0; wait < 1000 && !done(); ++wait) {
        Sleep(10);
    }
    return done();
}

enum class FolderLink { None, Junction, HostLink };

// Makes `link` a link to the folder `target`, named relative to the link's folder: a junction where the system
// makes them. Wine makes none, but shows a Unix symbolic link to a folder as a folder with the reparse-point
// attribute, as Windows shows a junction; under Wine the link is that, made by the host's ln.
FolderLink MakeFolderLink(const fs::path& link, const fs::path& target) {
    if (MakeJunction(link, (link.parent_path() / target).lexically_normal())) {
        return FolderLink::Junction;
    }
    const auto made = [&] { return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; };
    if (UnderWine() &&
        RunHostProgram(L"Z:\\bin\\ln", L"ln -s " + target.generic_wstring() + L" " + link.filename().wstring(),
                       link.parent_path(), made)) {
        return FolderLink::HostLink;
    }
    return FolderLink::None;
}

// Takes a link made by MakeFolderLink away again where removal could not (a host link under Wine).
void RemoveHostLink(const fs::path& link) {
    const auto gone = [&] { return GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; };
    EXPECT_TRUE(RunHostProgram(L"Z:\\bin\\rm", L"rm " + link.filename().wstring(), link.parent_path(), gone));
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

// Removal never goes through a folder link: the link goes, whatever it leads to stays. Wine removes no folder link
// through the folder call, so there the removal stops at the link, and still nothing behind it goes.
TEST(WindowsFolders, RemovalNeverGoesThroughAFolderLink) {
    TempFolder folder;
    WriteBytes(folder / "外/保存.txt", "keep");
    WriteBytes(folder / "車両/記録.MONDT", "1");
    const FolderLink link = MakeFolderLink(folder / "車両/リンク", PathFromUtf8("../外"));
    if (link == FolderLink::None) {
        GTEST_SKIP() << "this system makes no folder links (error " << GetLastError() << ")";
    }
    ASSERT_EQ(ReadBytes(folder / "車両/リンク/保存.txt"), "keep"); // the link leads there
    EXPECT_NE(GetFileAttributesW((folder / "車両/リンク").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    // A link is no vehicle folder.
    EXPECT_EQ(EnumerateVehicleFolders(folder.Dir()), (std::vector<std::string>{"外", "車両"}));
    EXPECT_EQ(EnumerateVehicleFolders(PathToUtf8(folder / "車両")), std::vector<std::string>());

    const bool removed = ForceRemoveDir(PathToUtf8(folder / "車両"));
    EXPECT_EQ(ReadBytes(folder / "外/保存.txt"), "keep");
    if (link == FolderLink::Junction) {
        EXPECT_TRUE(removed);
        EXPECT_FALSE(fs::exists(folder / "車両"));
    } else {
        EXPECT_FALSE(removed);
        EXPECT_EQ(Names(folder / "車両"), (std::vector<std::string>{"リンク", "記録.MONDT"}));
        RemoveHostLink(folder / "車両/リンク");
    }

    // A folder that is itself a link: only the link goes.
    ASSERT_EQ(MakeFolderLink(folder / "別名", PathFromUtf8("外")), link);
    const bool aliasRemoved = ForceRemoveDir(PathToUtf8(folder / "別名") + "\\");
    EXPECT_EQ(ReadBytes(folder / "外/保存.txt"), "keep");
    EXPECT_EQ(Names(folder / "外"), std::vector<std::string>{"保存.txt"});
    if (link == FolderLink::Junction) {
        EXPECT_TRUE(aliasRemoved);
        EXPECT_FALSE(fs::exists(folder / "別名"));
    } else {
        EXPECT_FALSE(aliasRemoved);
        RemoveHostLink(folder / "別名");
    }
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
