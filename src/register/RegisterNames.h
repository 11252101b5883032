// The register's file names.
#pragma once

#include <string>

namespace vanto {

// Profile file of a customer or vehicle: folder + separator + name with its extension replaced by ".DT"
// (a name without "." gets ".DT" appended). One rule for every place that names a profile.
std::string ProfileFileName(const std::string& folder, const std::string& name);

} // namespace vanto
