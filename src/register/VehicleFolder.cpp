#include "register/VehicleFolder.h"

#include "common/Paths.h"
#include "register/RegisterNames.h"

namespace vanto {

VehicleFolder::VehicleFolder(std::string folder) : dir_(WithTrailingSeparator(std::move(folder))) {
    std::string path = dir_;
    while (!path.empty() && (path.back() == '/' || path.back() == FolderSeparator.back())) {
        path.pop_back();
    }
    const std::size_t cut = path.find_last_of(std::string("/") + std::string(FolderSeparator));
    vehicle_ = cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string VehicleFolder::ProfileFile() const {
    return ProfileFileName(dir_, vehicle_);
}

} // namespace vanto
