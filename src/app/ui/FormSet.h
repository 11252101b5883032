// Creates the program's forms once, in the program's fixed order, and removes them at the end.
#pragma once

#include "app/ui/Vantomain.h"

#include <string>
#include <utility>
#include <vector>

namespace vanto {

// Creates every form; the main form first. Returns the main form (check its ConstructionError).
TTestMainForm* CreateAllForms(const StartupOptions& options);

// Every form that exists, with its class name, in creation order.
std::vector<std::pair<std::string, QWidget*>> AllForms();

// Deletes every form in reverse order and clears the registry.
void DestroyAllForms();

} // namespace vanto
