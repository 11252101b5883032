// The next inspection date as workshops type it into a vehicle's profile: free text, Gregorian or by era, with
// half-width or full-width characters, a day or a month alone. Read without a calendar library: the Windows
// program is built with a Qt that carries no ICU, and the forms typed here ("R9.5.31", full-width digits) are
// not what a calendar pattern parses anyway.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace vanto {

struct InspectionDate {
    int Year = 0;
    int Month = 0;
    int Day = 0; // 0: a month alone, which sorts before the days of its month

    // "2027-05-31", or "2027-05" for a month alone.
    std::string Text() const;
    auto operator<=>(const InspectionDate&) const = default;
};

// The date the text names, or nothing when it names none (rubbish, an impossible day, a date outside its era).
// Gregorian "2027年5月31日", "2027/5/31", "2027-05-31", "2027.5.31"; by era name or initial "令和9年5月31日",
// "R9.5.31", "令和元年5月1日"; each also as a month alone ("2027年5月", "R9.5").
std::optional<InspectionDate> ReadInspectionDate(std::string_view text);

} // namespace vanto
