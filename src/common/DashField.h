#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vanto {

// Field n (1-based) of a text whose fields are separated by "-": telephone and fax numbers are stored as
// three fields, postal codes as two. "03-1234-5678" gives "03", "1234", "5678" for 1 to 3 and "" for 4;
// a text without "-" is field 1 whole and has no further fields.
std::string DashField(std::string_view text, int n);

// The parts joined by "-", empty parts included: three empty telephone parts give "--", two postal parts "-".
std::string JoinDashFields(std::initializer_list<std::string_view> parts);

} // namespace vanto
