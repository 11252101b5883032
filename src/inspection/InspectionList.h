// Whose inspection is due: the vehicles of the register with their next inspection date read, their customer's
// address and phones, filtered to a period of months; the rows as the form, the CSV and the printed list show them.
// Read-only: nothing here writes to the register.
#pragma once

#include "inspection/InspectionDate.h"

#include <array>
#include <compare>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

class Register;

struct YearMonth {
    int Year = 0;
    int Month = 0;
    auto operator<=>(const YearMonth&) const = default;
};

// The month after the given one.
YearMonth NextMonth(YearMonth month);

// A vehicle whose NEXT_CHECK holds text, with what the reminder needs. Contact values that hold nothing but the
// register's placeholders (hyphens, the postal code "000-0000" of a new customer) are empty.
struct DatedVehicle {
    std::string Customer;
    std::string Vehicle;
    std::string NextCheck; // as typed
    std::optional<InspectionDate> Date;
    std::string Model; // 車種名
    std::string PostNo;
    std::string Address;
    std::string Tel;
    std::string Handy;
};

// Every listed customer's vehicles whose NEXT_CHECK is not blank, in list order and then folder order. Each
// profile is read once. Customers are those of the customer list (a folder without a list line is what remains
// of a deleted customer and gets no reminder); a customer without a readable profile keeps empty contact values.
std::vector<DatedVehicle> ReadInspectionDates(const Register& reg);

// The vehicles whose date falls in the months from..to (both included), by date (a month alone before the days
// of its month), then customer, then vehicle number.
std::vector<DatedVehicle> DueInPeriod(const std::vector<DatedVehicle>& vehicles, YearMonth from, YearMonth to);

// The vehicles whose NEXT_CHECK names no date, in the order read.
std::vector<DatedVehicle> UnreadableDates(const std::vector<DatedVehicle>& vehicles);

// The columns of the due list, the same on screen, in the CSV and on paper.
inline constexpr std::size_t DueColumnCount = 9;
inline constexpr std::array<const char*, DueColumnCount> DueColumnTitles{
    "次回車検日", "読取日", "お客様名", "車両番号", "車種名", "〒", "住所", "TEL", "携帯"};
std::array<std::string, DueColumnCount> DueRowTexts(const DatedVehicle& vehicle);

// The columns of the list of dates that could not be read.
inline constexpr std::array<const char*, 3> UnreadableColumnTitles{"お客様名", "車両番号", "次回車検日"};

// "2027年5月" or "2027年5月～2027年7月".
std::string PeriodText(YearMonth from, YearMonth to);

// The CSV lines (a header row, then one line per vehicle); fields with a comma, a double quote or a line break
// are quoted.
std::vector<std::string> DueCsvLines(const std::vector<DatedVehicle>& due);
// Saves them as Shift-JIS with CR LF, atomically. False when the file cannot be written (the old one stays).
bool SaveDueCsv(const std::filesystem::path& path, const std::vector<DatedVehicle>& due);

} // namespace vanto

namespace vanto {

// The reminder form's fixed texts.
inline constexpr const char* ReminderCaption = "車検案内";
inline constexpr const char* ReminderCsvFilter = "CSVファイル|*.csv";
inline constexpr const char* ReminderCsvExtension = "csv";
inline constexpr const char* ReminderCsvOverwriteQuestion =
    "既に同じファイル名が存在します、上書きしてよろしいですか？";
inline constexpr const char* ReminderCsvFailedText = "ファイルの書き込みが出来ません！";

// The file name the CSV save proposes: "車検案内_2027年5月～2027年7月.csv".
std::string ReminderCsvFileName(YearMonth from, YearMonth to);

} // namespace vanto
