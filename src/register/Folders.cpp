#include "register/Folders.h"

#include "common/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vanto {
namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
// A vehicle folder carries the directory attribute and no other (hidden, system, read-only, archive or a
// reparse point make it something else).
bool IsVehicleFolder(const fs::directory_entry& entry) {
    return GetFileAttributesW(entry.path().c_str()) == FILE_ATTRIBUTE_DIRECTORY;
}
#else
// A vehicle folder is a plain directory: not hidden (leading "."), not a link.
bool IsVehicleFolder(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().native();
    if (name.empty() || name.front() == '.') {
        return false;
    }
    std::error_code ec;
    return !entry.is_symlink(ec) && entry.is_directory(ec);
}
#endif

} // namespace

std::optional<std::vector<std::string>> EnumerateVehicleFolders(const std::string& customerFolder) {
    std::error_code ec;
    fs::directory_iterator it(PathFromUtf8(customerFolder), ec);
    if (ec) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        if (IsVehicleFolder(*it)) {
            names.push_back(PathToUtf8(it->path().filename()));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vanto
