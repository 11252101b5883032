// Profile files: on any file content, writing a key and reading it back gives the value, and every other section
// reads as before. The input is split at the first two zero bytes into the file, a section/key choice and the value.
#include "FuzzCheck.h"
#include "common/ProfileFile.h"

#include <array>
#include <string>
#include <string_view>

namespace {
// Names and values a writer uses: no line ends, no blanks at the edges, no quotes around.
bool UsableValue(std::string_view value) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return false;
    }
    if (!value.empty() &&
        (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' || value.back() == '\t')) {
        return false;
    }
    return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.front() == value.back());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\0');
    const std::string_view content = input.substr(0, first);
    std::string_view rest = first == std::string_view::npos ? std::string_view() : input.substr(first + 1);
    const std::size_t second = rest.find('\0');
    const std::string_view choice = rest.substr(0, second);
    const std::string_view value = second == std::string_view::npos ? std::string_view() : rest.substr(second + 1);
    if (!UsableValue(value)) {
        return 0;
    }
    static constexpr std::array<const char*, 4> sections{"TEL", "DATA", "user", "STR_DIC"};
    static constexpr std::array<const char*, 3> keys{"DATA0", "NUM", "name"};
    const unsigned pick = choice.empty() ? 0 : static_cast<unsigned char>(choice[0]);
    const char* section = sections[pick % sections.size()];
    const char* key = keys[(pick / sections.size()) % keys.size()];

    const std::string updated = vanto::ProfileUpdate(content, section, key, value);
    FUZZ_CHECK(vanto::ProfileLookup(updated, section, key) == std::string(value));
    for (const char* other : sections) {
        if (std::string_view(other) == section) {
            continue;
        }
        for (const char* otherKey : keys) {
            FUZZ_CHECK(vanto::ProfileLookup(updated, other, otherKey) ==
                       vanto::ProfileLookup(content, other, otherKey));
        }
    }
    // A write that changes nothing leaves every byte.
    FUZZ_CHECK(vanto::ProfileUpdate(updated, section, key, value) == updated);
    return 0;
}
