// One-time conversion of the legacy single-file database (mon_gest.HR3OR) into the register and monitor
// file layout.
#pragma once

#include "app/WorkingPaths.h"

namespace vanto {

// Converts every line of ExeDir + "mon_gest.HR3OR" (one vehicle of one customer per line), appending the
// customers to VisitorFile, which the caller has created. The legacy files are only read.
void LegacyImport(const WorkingPaths& paths);

} // namespace vanto
