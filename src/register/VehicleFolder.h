// The files of one vehicle folder: the vehicle's profile, its monitor index with the index backup, and its record
// files. This is the one place that names them.
#pragma once

#include <string>

namespace vanto {

inline constexpr const char* MonitorIndexName = "ﾓﾆﾀ.DT";
inline constexpr const char* MonitorIndexBackupName = "ﾓﾆﾀ_BK.DT";
inline constexpr const char* RecordFileExtension = ".MONDT";

class VehicleFolder {
public:
    // The vehicle folder (UTF-8, with or without a trailing separator); its last component is the vehicle number.
    VehicleFolder(std::string folder); // NOLINT: a folder text is a vehicle folder
    VehicleFolder(const char* folder) : VehicleFolder(std::string(folder)) {}

    // A vehicle folder that names no folder (built from names that are no single folder name): every file of it
    // reads as missing and nothing is written to it.
    static VehicleFolder None() { return VehicleFolder(std::string()); }
    bool Valid() const { return !dir_.empty(); }

    // The folder with a trailing separator.
    const std::string& Dir() const { return dir_; }
    const std::string& Vehicle() const { return vehicle_; }

    std::string ProfileFile() const;
    std::string MonitorIndexFile() const { return dir_ + MonitorIndexName; }
    std::string MonitorIndexBackupFile() const { return dir_ + MonitorIndexBackupName; }
    // The record file of a title; the caller checks that the title can be a file name (IsRecordTitleUsable).
    std::string RecordFile(const std::string& title) const { return dir_ + title + RecordFileExtension; }

private:
    std::string dir_;
    std::string vehicle_;
};

} // namespace vanto
