// The printed due list: A4 landscape pages with the period in the title, the due list's columns and a page number
// at the foot of every page.
#pragma once

#include "inspection/InspectionList.h"

#include <string>
#include <vector>

namespace vanto {

class Canvas;

struct ReminderSheet {
    std::string Title; // "車検案内　2027年5月～2027年7月"
    std::vector<DatedVehicle> Rows;
};

// The title of the printed list of a period.
std::string ReminderTitle(YearMonth from, YearMonth to);

// Pages the rows take on the canvas's page (at least one, so an empty list still prints its title).
int ReminderPageCount(Canvas& canvas, std::size_t rows);

// Draws page `page` (0-based) of `pages`.
void DrawReminderPage(Canvas& canvas, const ReminderSheet& sheet, int page, int pages);

} // namespace vanto
