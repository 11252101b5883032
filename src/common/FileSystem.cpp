#include "common/FileSystem.h"

#include "common/Paths.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vanto {
namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
// MinGW's library sets times on files only: the Win32 calls take folders too (backup semantics).
HANDLE OpenForTimes(const fs::path& path, DWORD access) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool LocalTime(std::time_t time, std::tm& out) {
    return localtime_s(&out, &time) == 0;
}

// Symbolic links and junctions are reparse points; the standard library here reports a junction as a plain
// folder, so removal would go through it and empty the folder it points at.
bool IsLink(const fs::path& path, const fs::file_status&) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Removes the link itself: a folder link (junction) with the folder call, which never touches its target.
bool RemoveLink(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return RemoveDirectoryW(path.c_str()) != 0;
    }
    return DeleteFileW(path.c_str()) != 0;
}
#else
bool LocalTime(std::time_t time, std::tm& out) {
    return localtime_r(&time, &out) != nullptr;
}

bool IsLink(const fs::path&, const fs::file_status& status) {
    return fs::is_symlink(status);
}

bool RemoveLink(const fs::path& path) {
    std::error_code ec;
    return fs::remove(path, ec);
}
#endif

// Entries of a folder in name order; nothing when it cannot be enumerated.
std::optional<std::vector<fs::directory_entry>> SortedEntries(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    std::vector<fs::directory_entry> entries;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            return std::nullopt;
        }
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    return entries;
}

bool IsReadOnly(const fs::file_status& status) {
    constexpr auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

bool RemoveTree(const fs::path& folder) {
    auto entries = SortedEntries(folder);
    if (!entries) {
        return false;
    }
    for (const auto& entry : *entries) {
        std::error_code ec;
        const fs::file_status status = entry.symlink_status(ec);
        if (ec) {
            return false;
        }
        if (IsLink(entry.path(), status)) {
            // The link goes, whatever it points at stays.
            if (!RemoveLink(entry.path())) {
                return false;
            }
        } else if (fs::is_directory(status)) {
            if (!RemoveTree(entry.path())) {
                return false;
            }
        } else if (IsReadOnly(status) || !fs::remove(entry.path(), ec)) {
            return false;
        }
    }
    std::error_code ec;
    return fs::remove(folder, ec);
}

} // namespace

bool FileExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool FolderExists(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool EntryExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

#if defined(_WIN32)
std::optional<ModificationTime> ReadModificationTime(const fs::path& path) {
    HANDLE handle = OpenForTimes(path, FILE_READ_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    FILETIME written{};
    const bool read = GetFileTime(handle, nullptr, nullptr, &written);
    CloseHandle(handle);
    if (!read) {
        return std::nullopt;
    }
    const std::uint64_t ticks = (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
    return ModificationTime{static_cast<std::int64_t>(ticks)};
}

bool SetModificationTime(const fs::path& path, ModificationTime time) {
    HANDLE handle = OpenForTimes(path, FILE_WRITE_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const auto ticks = static_cast<std::uint64_t>(time.Ticks);
    const FILETIME written{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool set = SetFileTime(handle, nullptr, nullptr, &written);
    CloseHandle(handle);
    return set;
}
#else
static_assert(sizeof(fs::file_time_type::rep) <= sizeof(std::int64_t), "a file time fits the ticks");

std::optional<ModificationTime> ReadModificationTime(const fs::path& path) {
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    return ec ? std::nullopt : std::optional<ModificationTime>(ModificationTime{time.time_since_epoch().count()});
}

bool SetModificationTime(const fs::path& path, ModificationTime time) {
    std::error_code ec;
    fs::last_write_time(path, fs::file_time_type(fs::file_time_type::duration(time.Ticks)), ec);
    return !ec;
}
#endif

bool CopyModificationTime(const fs::path& from, const fs::path& to) {
    const std::optional<ModificationTime> time = ReadModificationTime(from);
    return time && SetModificationTime(to, *time);
}

std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980) {
        return PackDosDateTime(1980, 1, 1, 0, 0, 0);
    }
    if (year > 2107) {
        year = 2107;
        month = 12;
        day = 31;
        hour = 23;
        minute = 59;
        second = 58;
    }
    const std::uint32_t date = (static_cast<std::uint32_t>(year - 1980) << 9) |
                               (static_cast<std::uint32_t>(month) << 5) | static_cast<std::uint32_t>(day);
    const std::uint32_t time = (static_cast<std::uint32_t>(hour) << 11) | (static_cast<std::uint32_t>(minute) << 5) |
                               static_cast<std::uint32_t>(second / 2);
    return (date << 16) | time;
}

std::uint32_t FolderTime(const std::string& folder) {
    const fs::directory_entry entry(PathFromUtf8(folder));
    std::error_code ec;
    const fs::file_time_type written = entry.last_write_time(ec);
    if (ec) {
        return 0;
    }
    const auto system = std::chrono::file_clock::to_sys(written);
    std::tm local{};
    if (!LocalTime(std::chrono::system_clock::to_time_t(
                       std::chrono::time_point_cast<std::chrono::system_clock::duration>(system)),
                   local)) {
        return 0;
    }
    return PackDosDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                           local.tm_sec);
}

bool ForceRemoveDir(const std::string& folder) {
    fs::path path = PathFromUtf8(folder);
    if (!path.has_filename()) {
        path = path.parent_path(); // the trailing separator
    }
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || !fs::exists(status)) {
        return false;
    }
    if (IsLink(path, status)) {
        return RemoveLink(path);
    }
    if (!fs::is_directory(status)) {
        return false;
    }
    return RemoveTree(path);
}

} // namespace vanto
