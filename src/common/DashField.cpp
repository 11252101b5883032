#include "common/DashField.h"

namespace vanto {

std::string DashField(std::string_view text, int n) {
    if (text.find('-') == std::string_view::npos && n > 1) {
        return {};
    }
    std::string_view field;
    for (int i = 0; i < n; ++i) {
        const std::size_t dash = text.find('-');
        if (dash != std::string_view::npos) {
            field = text.substr(0, dash);
            text.remove_prefix(dash + 1);
        } else {
            field = text;
            text = {};
        }
    }
    return std::string(field);
}

std::string JoinDashFields(std::initializer_list<std::string_view> parts) {
    std::string joined;
    bool first = true;
    for (const std::string_view part : parts) {
        if (!first) {
            joined += '-';
        }
        joined += part;
        first = false;
    }
    return joined;
}

} // namespace vanto
