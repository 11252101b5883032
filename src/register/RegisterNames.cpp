#include "register/RegisterNames.h"

#include "common/Paths.h"

namespace vanto {

std::string ProfileFileName(const std::string& folder, const std::string& name) {
    std::string base = name;
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos) {
        base.erase(dot);
    }
    std::string result = folder;
    if (!result.empty() && !result.ends_with(FolderSeparator)) {
        result += FolderSeparator;
    }
    return result + base + ".DT";
}

} // namespace vanto
