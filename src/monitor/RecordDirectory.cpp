#include "monitor/RecordDirectory.h"

#include <array>

namespace vanto {

std::optional<std::string> RecordName(std::string_view entry) {
    if (entry.size() < 3 || entry[2] < '0' || entry[2] > '3') {
        return std::nullopt;
    }
    struct Kind {
        char first, second;
        const char* name;
    };
    static constexpr std::array<Kind, 5> kinds{{
        {'E', 'D', "自己診断記録"},
        {'E', 'M', "モニタ記録"},
        {'E', 'A', "アクティブ記録"},
        {'A', 'D', "自己診断記録"},
        {'A', 'M', "作業サポート記録"},
    }};
    static constexpr std::array<const char*, 4> digits{"１", "２", "３", "４"};
    for (const Kind& kind : kinds) {
        if (entry[0] == kind.first && entry[1] == kind.second) {
            return std::string(kind.name) + digits[static_cast<std::size_t>(entry[2] - '0')];
        }
    }
    return std::nullopt;
}

RecordDirectoryListing ListRecordDirectory(std::string_view data) {
    RecordDirectoryListing listing;
    for (std::size_t offset = 0; offset + 3 <= data.size(); offset += 3) {
        if (auto name = RecordName(data.substr(offset, 3))) {
            listing.lines.push_back(*name);
            listing.entryOfLine.push_back(offset / 3);
            listing.entries.emplace_back(data.substr(offset, 3));
        }
    }
    return listing;
}

} // namespace vanto
