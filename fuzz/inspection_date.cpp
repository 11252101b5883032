// The next inspection date as a vehicle profile stores it: any bytes either name no date or a real one, and the
// date read gives itself back when read from its own text.
#include "FuzzCheck.h"
#include "common/Sjis.h"
#include "inspection/InspectionDate.h"

#include <string_view>

namespace {
bool IsRealDate(const vanto::InspectionDate& date) {
    constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return date.Year >= 1 && date.Year <= 9999 && date.Month >= 1 && date.Month <= 12 && date.Day >= 0 &&
           date.Day <= days[date.Month - 1];
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text = vanto::DecodeSjis(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto date = vanto::ReadInspectionDate(text);
    if (date) {
        FUZZ_CHECK(IsRealDate(*date));
        FUZZ_CHECK(vanto::ReadInspectionDate(date->Text()) == date);
    }
    return 0;
}
