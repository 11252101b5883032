// The vehicle folders of a customer folder: which entries are vehicles, and a vehicle as the register lists it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

// A vehicle of a customer and its folder time (FolderTime: a packed local DOS date and time, compared as a
// number).
struct VehicleEntry {
    std::string Number;
    std::uint32_t Time = 0;
};

// The vehicle folders of a customer folder in enumeration order (name order, as the Windows file system
// gives it): plain directories that are neither hidden (leading ".") nor links. Nothing when the folder cannot
// be enumerated.
std::optional<std::vector<std::string>> EnumerateVehicleFolders(const std::string& customerFolder);

} // namespace vanto
