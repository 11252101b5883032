// Files and folders as the file system keeps them: whether they exist, their modification times, and removal of a
// folder that never reaches outside it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vanto {

bool FileExists(const std::filesystem::path& path);
bool FolderExists(const std::filesystem::path& path);
// True when anything stands at the path: a file, a folder, or a link (not followed, so a link that leads nowhere
// counts too).
bool EntryExists(const std::filesystem::path& path);

// A file's or folder's last-modification time in the platform's own resolution (the 100-nanosecond steps of
// Windows, the file clock here), kept only to be set again: a time read and set back is the same to the last step.
struct ModificationTime {
    std::int64_t Ticks = 0;
};

std::optional<ModificationTime> ReadModificationTime(const std::filesystem::path& path);
bool SetModificationTime(const std::filesystem::path& path, ModificationTime time);

// Gives `to` (a file or a folder) the last-modification time of `from`; false when it cannot. The register orders
// vehicles by their folders' times, so a copy of it keeps them.
bool CopyModificationTime(const std::filesystem::path& from, const std::filesystem::path& to);

// Packs a local time as DOS date and time (date << 16 | time, two-second resolution), compared as a number; years
// outside 1980..2107 are clamped to the nearest end.
std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second);

// The folder's last-modification time as a packed local DOS date and time (0 when it cannot be read).
std::uint32_t FolderTime(const std::string& folder);

// Removes a folder with everything below it. A symbolic link (or a junction on Windows) is removed itself, never
// followed (the folder itself too, when it is a link). A file without any write permission bit (read-only) stops
// the removal: that file, every entry after it (entries are taken in name order) and every folder above it stay.
// True when the folder is gone.
bool ForceRemoveDir(const std::string& folder);

} // namespace vanto
