#include "inspection/InspectionList.h"

#include "common/FolderName.h"
#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"
#include "register/Folders.h"
#include "register/Register.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <span>
#include <tuple>

namespace vanto {
namespace {

constexpr const char* ListKey = "DATA0";
constexpr const char* NewCustomerPostNo = "000-0000";

// DATA0 of each section of the profile, decoded; "" where the file, the section or the key is missing.
template <std::size_t N>
std::array<std::string, N> ReadSections(const std::string& file, const std::array<const char*, N>& sections) {
    std::array<std::string, N> texts;
    const auto content = ReadFileBytes(PathFromUtf8(file));
    if (!content) {
        return texts;
    }
    std::array<std::optional<std::string_view>, N> values;
    ProfileLookupSections(*content, sections, ListKey, values);
    for (std::size_t i = 0; i < N; ++i) {
        if (values[i]) {
            texts[i] = DecodeSjis(*values[i]);
        }
    }
    return texts;
}

bool IsBlank(const std::string& text) {
    std::string rest = text;
    for (std::size_t pos; (pos = rest.find("\u3000")) != std::string::npos;) {
        rest.erase(pos, 3);
    }
    return rest.find_first_not_of(" \t") == std::string::npos;
}

// A telephone number or postal code that holds nothing but the hyphens of its empty parts is empty.
std::string ContactValue(const std::string& value) {
    return value.find_first_not_of('-') == std::string::npos ? std::string() : value;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

} // namespace

YearMonth NextMonth(YearMonth month) {
    return month.Month >= 12 ? YearMonth{month.Year + 1, 1} : YearMonth{month.Year, month.Month + 1};
}

std::vector<DatedVehicle> ReadInspectionDates(const Register& reg) {
    std::vector<DatedVehicle> vehicles;
    const auto names = reg.CustomerNames();
    if (!names) {
        return vehicles;
    }
    std::set<std::string> seen;
    for (const std::string& customer : *names) {
        if (!IsSafePathComponent(customer) || !seen.insert(customer).second) {
            continue;
        }
        const auto folders = EnumerateVehicleFolders(reg.CustomerFolder(customer));
        if (!folders) {
            continue;
        }
        const std::size_t first = vehicles.size();
        for (const std::string& vehicle : *folders) {
            const auto [nextCheck, model] = ReadSections(reg.VehicleProfileFile(customer, vehicle),
                                                         std::array{section::NextCheck, section::TypeCar});
            if (IsBlank(nextCheck)) {
                continue;
            }
            DatedVehicle dated;
            dated.Customer = customer;
            dated.Vehicle = vehicle;
            dated.NextCheck = nextCheck;
            dated.Date = ReadInspectionDate(nextCheck);
            dated.Model = model;
            vehicles.push_back(std::move(dated));
        }
        if (vehicles.size() == first) {
            continue; // no reminder for this customer: his profile is not needed
        }
        const auto [tel, handy, postNo, address] =
            ReadSections(reg.CustomerProfileFile(customer),
                         std::array{section::Tel, section::Handy, section::PostNo, section::Address});
        for (std::size_t i = first; i < vehicles.size(); ++i) {
            vehicles[i].Tel = ContactValue(tel);
            vehicles[i].Handy = ContactValue(handy);
            vehicles[i].PostNo = postNo == NewCustomerPostNo ? std::string() : ContactValue(postNo);
            vehicles[i].Address = address;
        }
    }
    return vehicles;
}

std::vector<DatedVehicle> DueInPeriod(const std::vector<DatedVehicle>& vehicles, YearMonth from, YearMonth to) {
    std::vector<DatedVehicle> due;
    for (const DatedVehicle& vehicle : vehicles) {
        if (vehicle.Date) {
            const YearMonth month{vehicle.Date->Year, vehicle.Date->Month};
            if (month >= from && month <= to) {
                due.push_back(vehicle);
            }
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const DatedVehicle& a, const DatedVehicle& b) {
        return std::tie(*a.Date, a.Customer, a.Vehicle) < std::tie(*b.Date, b.Customer, b.Vehicle);
    });
    return due;
}

std::vector<DatedVehicle> UnreadableDates(const std::vector<DatedVehicle>& vehicles) {
    std::vector<DatedVehicle> unreadable;
    std::copy_if(vehicles.begin(), vehicles.end(), std::back_inserter(unreadable),
                 [](const DatedVehicle& vehicle) { return !vehicle.Date; });
    return unreadable;
}

std::array<std::string, DueColumnCount> DueRowTexts(const DatedVehicle& v) {
    return {v.NextCheck, v.Date ? v.Date->Text() : std::string(),
            v.Customer,  v.Vehicle,
            v.Model,     v.PostNo,
            v.Address,   v.Tel,
            v.Handy};
}

std::string PeriodText(YearMonth from, YearMonth to) {
    auto month = [](YearMonth m) { return std::to_string(m.Year) + "年" + std::to_string(m.Month) + "月"; };
    return from == to ? month(from) : month(from) + "～" + month(to);
}

std::vector<std::string> DueCsvLines(const std::vector<DatedVehicle>& due) {
    std::vector<std::string> lines;
    lines.reserve(due.size() + 1);
    auto join = [](const auto& fields) {
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            line += (i == 0 ? "" : ",") + CsvField(fields[i]);
        }
        return line;
    };
    lines.push_back(join(DueColumnTitles));
    for (const DatedVehicle& vehicle : due) {
        lines.push_back(join(DueRowTexts(vehicle)));
    }
    return lines;
}

bool SaveDueCsv(const std::filesystem::path& path, const std::vector<DatedVehicle>& due) {
    return SaveSjisLines(path, DueCsvLines(due));
}

std::string ReminderCsvFileName(YearMonth from, YearMonth to) {
    return std::string(ReminderCaption) + "_" + PeriodText(from, to) + ".csv";
}

} // namespace vanto
