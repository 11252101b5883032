// Folder operations of the register: the vehicle folders of a customer, their times, and removal that never
// reaches outside the folder it removes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

// A vehicle of a customer and its folder time, packed as a local DOS date and time (date << 16 | time,
// two-second resolution), compared as a number.
struct VehicleEntry {
    std::string Number;
    std::uint32_t Time = 0;
};

// Packs a local time as DOS date and time; years outside 1980..2107 are clamped to the nearest end.
std::uint32_t PackDosDateTime(int year, int month, int day, int hour, int minute, int second);

// Removes a folder with everything below it. A symbolic link is removed itself, never followed (the folder
// itself too, when it is a link). A file without any write permission bit (read-only) stops the removal:
// that file, every entry after it (entries are taken in name order) and every folder above it stay. True
// when the folder is gone.
bool ForceRemoveDir(const std::string& folder);

// The vehicle folders of a customer folder in enumeration order (name order, as the Windows file system
// gives it): plain directories that are neither hidden (leading ".") nor links. Nothing when the folder cannot
// be enumerated.
std::optional<std::vector<std::string>> EnumerateVehicleFolders(const std::string& customerFolder);

// The folder's last-modification time as a packed local DOS date and time (0 when it cannot be read).
std::uint32_t FolderTime(const std::string& folder);

} // namespace vanto
