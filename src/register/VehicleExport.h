// The text export of a vehicle: the customer's contact lines, the vehicle's fields and the two chosen records,
// with the program's fixed labels.
#pragma once

#include <string>
#include <vector>

namespace vanto {

inline constexpr const char* NoDataPlaceholder = "データは登録されていません。";

struct VehicleExportData {
    std::string Customer;
    std::string Tel1, Tel2, Tel3;
    std::string Mobile1, Mobile2, Mobile3;
    std::string Address;
    std::string VehicleNumber;
    std::string Maker, TypeCar, Model, BodyNumber, Type, EngineType, Comment;
    struct Record {
        std::string Title;
        std::vector<std::string> Lines;
    };
    Record First, Second;
};

// The export's lines in order; a labelled line is written only when its field is set, and a record whose
// title is the empty-register placeholder is left out.
std::vector<std::string> VehicleExportLines(const VehicleExportData& data);

// The proposed file name: customer + "様-" + "26年12月6日7時5分9秒".
std::string VehicleExportFileName(const std::string& customer, const std::string& timestamp);

} // namespace vanto
