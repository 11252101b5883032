// A register in a temporary folder: customer root, customer list and a separate program folder for the backup.
#pragma once

#include "common/Paths.h"
#include "register/Register.h"
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace vanto::test {

struct TempRegister {
    TempFolder folder;
    Register reg{folder.Dir() + "お客様/", folder.Dir() + "VISITOR_M.DT", folder.Dir() + "exe/"};

    TempRegister() {
        std::filesystem::create_directories(folder / "お客様");
        std::filesystem::create_directories(folder / "exe");
    }
    std::filesystem::path operator/(std::string_view relative) const { return folder / relative; }
    std::filesystem::path Path(const std::string& utf8) const { return PathFromUtf8(utf8); }
};

// Sets a file's or folder's modification time to `seconds` after a fixed point well in the past.
inline void SetTime(const std::filesystem::path& path, int seconds) {
    using namespace std::chrono;
    // An even second a month before the first call, so offsets 10 and 11 share one two-second step of the packed
    // time. Read once: read per call, it moves whenever a second passes between two calls.
    static const sys_seconds base = [] {
        const auto monthAgo = floor<std::chrono::seconds>(system_clock::now()) - hours(24 * 30);
        return monthAgo - std::chrono::seconds(monthAgo.time_since_epoch().count() % 2);
    }();
    SetModificationTime(path, base + std::chrono::seconds(seconds));
}

} // namespace vanto::test
