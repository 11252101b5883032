#include "common/ProfileFile.h"

#include "common/FileSystem.h"
#include "common/Sjis.h"
#include "common/TextFile.h"

#include <algorithm>
#include <vector>

namespace vanto {
namespace {

struct Line {
    std::size_t begin; // first byte of the line
    std::size_t end;   // end of the content, before the line end
    std::size_t next;  // first byte after the line end
};

std::vector<Line> ScanLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        std::size_t next = end;
        if (next < text.size()) {
            next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
        }
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names match with ASCII letters compared case-insensitively; the bytes of double-byte characters compare
// exactly (a trail byte may look like a letter).
bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// The section name of a header line, or nothing when the line is no header.
std::optional<std::string_view> HeaderName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

// Position of the "=" of a key line with the given name, or nothing.
std::optional<std::size_t> KeyEquals(std::string_view line, std::string_view key) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || !NamesEqual(Trim(line.substr(0, eq)), key)) {
        return std::nullopt;
    }
    return eq;
}

// The value of a key line: trimmed, with one pair of matching quotes removed.
std::string_view ValueOf(std::string_view line, std::size_t equals) {
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

struct Location {
    std::optional<std::size_t> header;  // index of the section's header line
    std::optional<std::size_t> keyLine; // index of the key line
    std::size_t lastNonBlank = 0;       // index of the section's last non-blank line
};

Location Locate(std::string_view text, const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        const auto name = HeaderName(line);
        if (where.header) {
            if (name) {
                break;
            }
            if (!Trim(line).empty()) {
                where.lastNonBlank = i;
            }
            if (!where.keyLine && KeyEquals(line, key)) {
                where.keyLine = i;
                return where;
            }
        } else if (name && NamesEqual(*name, section)) {
            where.header = i;
            where.lastNonBlank = i;
        }
    }
    return where;
}

std::string_view DropLeadingBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

} // namespace

std::optional<std::string> ProfileLookup(std::string_view content, std::string_view section, std::string_view key) {
    const auto lines = ScanLines(content);
    const Location where = Locate(content, lines, section, key);
    if (!where.keyLine) {
        return std::nullopt;
    }
    const Line& line = lines[*where.keyLine];
    const std::string_view text = content.substr(line.begin, line.end - line.begin);
    return std::string(ValueOf(text, *KeyEquals(text, key)));
}

void ProfileLookupSections(std::string_view content, std::span<const char* const> sections, std::string_view key,
                           std::span<std::optional<std::string_view>> values) {
    std::fill(values.begin(), values.end(), std::nullopt);
    std::vector<bool> seen(sections.size(), false);
    std::size_t current = sections.size(); // the wanted section whose first occurrence the scan is in, if any
    for (const Line& at : ScanLines(content)) {
        const std::string_view line = content.substr(at.begin, at.end - at.begin);
        if (const auto name = HeaderName(line)) {
            current = sections.size();
            for (std::size_t i = 0; i < sections.size(); ++i) {
                if (!seen[i] && NamesEqual(*name, sections[i])) {
                    seen[i] = true;
                    current = i;
                    break;
                }
            }
            continue;
        }
        if (current == sections.size() || values[current]) {
            continue;
        }
        if (const auto eq = KeyEquals(line, key)) {
            values[current] = ValueOf(line, *eq);
        }
    }
}

std::string ProfileUpdate(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view value) {
    value = DropLeadingBlanks(value);
    std::string keyLine = std::string(key) + "=" + std::string(value) + "\r\n";
    if (content.empty()) {
        return "[" + std::string(section) + "]\r\n" + keyLine;
    }
    const auto lines = ScanLines(content);
    const Location where = Locate(content, lines, section, key);
    std::string result;
    if (where.keyLine) {
        const Line& line = lines[*where.keyLine];
        const std::size_t valueStart =
            line.begin + *KeyEquals(content.substr(line.begin, line.end - line.begin), key) + 1;
        result.append(content.substr(0, valueStart));
        result.append(value);
        result.append(content.substr(line.end));
    } else if (where.header) {
        const Line& after = lines[where.lastNonBlank];
        result.append(content.substr(0, after.next));
        if (after.next == after.end) {
            result.append("\r\n"); // the line had no line end: the file ended there
        }
        result.append(keyLine);
        result.append(content.substr(after.next));
    } else {
        result.append(content);
        if (content.back() != '\n' && content.back() != '\r') {
            result.append("\r\n");
        }
        result.append("[" + std::string(section) + "]\r\n" + keyLine);
    }
    return result;
}

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

const std::optional<std::string>& ProfileFile::Content() const {
    if (!loaded_) {
        content_ = ReadFileBytes(path_);
        loaded_ = true;
    }
    return content_;
}

std::optional<std::string> ProfileFile::ReadBytes(std::string_view section, std::string_view key) const {
    const auto& content = Content();
    if (!content) {
        return std::nullopt;
    }
    return ProfileLookup(*content, section, key);
}

std::string ProfileFile::ReadBytes(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto value = ReadBytes(section, key);
    return value ? *value : std::string(fallback);
}

bool ProfileFile::WriteBytes(std::string_view section, std::string_view key, std::string_view value) {
    std::optional<std::string> current = ReadFileBytes(path_);
    if (!current) {
        if (FileExists(path_)) {
            return false; // there but unreadable: never replace what we could not read
        }
        current.emplace();
    }
    std::string updated = ProfileUpdate(*current, section, key, value);
    if (updated != *current && !WriteFileAtomic(path_, updated)) {
        loaded_ = false;
        return false;
    }
    content_ = std::move(updated);
    loaded_ = true;
    return true;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto value = ReadBytes(EncodeSjisLossy(section), EncodeSjisLossy(key));
    return value ? DecodeSjis(*value) : std::string(fallback);
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    auto bytes = EncodeSjis(value);
    if (!bytes) {
        return false;
    }
    return WriteBytes(EncodeSjisLossy(section), EncodeSjisLossy(key), *bytes);
}

} // namespace vanto
