// The printed pages: the one-page inspection and diagnosis result sheet and the data print of one record.
//
// The layouts take everything they print from SheetInput, which the print setup fills from its fields and from the
// slots' record lines read beforehand, so drawing reads no file and cannot fail half-way through a page.
#pragma once

#include "common/Clock.h"
#include "print/Canvas.h"

#include <array>
#include <string>
#include <vector>

namespace vanto {

inline constexpr const char* DefaultPrintTitle = "点検・診断・結果表";
inline constexpr const char* DataPrintTitle = "データ表示印刷";
inline constexpr const char* JudgementHeading = "総合判定";
// Follows the customer's name wherever the sheet addresses the customer.
inline constexpr const char* CustomerHonorific = " 様";

inline constexpr int PrintSlotCount = 4;
// Item lines per column until the measuring pass tells the page's real capacity.
inline constexpr int DefaultLinesPerColumn = 15;

// A record as printed: its name and the lines to print, in order.
struct SlotPrint {
    std::string RecordName;
    std::vector<std::string> Lines;
};

struct SheetInput {
    std::string Title = DefaultPrintTitle;
    LocalDateTime IssueDate;

    std::string ShopName;
    std::array<std::string, 2> ShopPost;
    std::string ShopAddress;
    std::array<std::string, 3> ShopTel;
    std::array<std::string, 3> ShopFax;
    std::string ShopMessage1;
    std::string ShopMessage2;

    std::string CustomerName;
    std::array<std::string, 2> CustomerPost;
    std::string CustomerAddress;
    std::array<std::string, 3> CustomerTel;
    std::array<std::string, 3> CustomerMobile;

    std::string VehicleNumber;
    std::string FirstRegistration;
    std::string Mileage;
    std::string NextInspection;
    std::string VehicleName;
    std::string ChassisNumber;
    std::string Model;
    std::string EngineType;

    // The overall judgement, one entry per line.
    std::vector<std::string> Judgement;
    // Slots 1 to 4: top left, top right, bottom left, bottom right. A slot without lines is not printed.
    std::array<SlotPrint, PrintSlotCount> Slots;
    // Lines (slot titles counted) one column of the item area holds.
    int LinesPerColumn = DefaultLinesPerColumn;

    // The record of the data print, all its lines.
    SlotPrint DataPrint;
};

// What a layout pass leaves for the print setup: the item area's height V and the reference line height LH.
struct SheetMeasure {
    int V = 0;
    int LH = 0;
};

// "発行日 2026年12月6日": month and day without leading zeros.
std::string IssueDateText(const LocalDateTime& date);

// Draws the result sheet on the current page. Also the measuring pass, on a print job that is then aborted.
SheetMeasure ResultSheetLayout(Canvas& canvas, const SheetInput& input);

// Item lines that fit in one column: V / (LH + 14). Zero or negative on a page too small for one line.
int LinesPerColumn(int v, int lh);

// Draws the data print of input.DataPrint on the current page, in up to three columns; the lines that do not fit
// are left out. Returns how many lines were printed.
int DataPrintLayout(Canvas& canvas, const SheetInput& input);

} // namespace vanto
