// Finding a customer, or a customer's vehicle, by any text stored for it. There is no index: every search
// reads the customer list and the profiles it needs.
#pragma once

#include "register/Register.h"

#include <string>
#include <string_view>
#include <vector>

namespace vanto {

struct SearchResult {
    std::string Text;    // customer + "/" + vehicle number (customer + "/" without vehicle)
    int Line = 0;        // the customer's line in the customer list (0-based)
    std::string Vehicle; // the vehicle number, or ""
};

// With an empty key: every customer whose folder exists (with includeVehicles, one result per vehicle instead
// when he has any), in list order. Otherwise the customers whose name or contact data contain the key and,
// with includeVehicles, the vehicles whose number or data contain it (a matching customer brings all his
// vehicles).
std::vector<SearchResult> SearchCustomers(const Register& reg, const std::string& key, bool includeVehicles);

// True when the text contains the key as a run of whole characters (both UTF-8, compared exactly: case and
// width matter).
bool ContainsText(std::string_view text, std::string_view key);

} // namespace vanto
