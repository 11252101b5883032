#include "reference/ReferenceFiles.h"

#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"

#include <algorithm>
#include <filesystem>

namespace vanto {
namespace {

// The file as a text-mode read delivers it: CR LF becomes LF, a lone CR stays.
std::string TextMode(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            continue;
        }
        text += bytes[i];
    }
    return text;
}

// Lines as the fixed line buffer returns them: up to and including the line feed, a longer line in pieces
// that fill the buffer but for its terminating zero.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) {
            return false;
        }
        const std::size_t limit = std::min(text_.size() - pos_, LineBufferSize - 1);
        const std::size_t feed = text_.substr(pos_, limit).find('\n');
        const std::size_t length = feed == std::string_view::npos ? limit : feed + 1;
        line = text_.substr(pos_, length);
        pos_ += length;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string_view TrimTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view WithoutLineFeed(std::string_view text) {
    if (!text.empty() && text.back() == '\n') {
        text.remove_suffix(1);
    }
    return text;
}

const char* WorkSection(WorkPass pass) {
    return pass == WorkPass::Data ? "DATA" : "VALUE";
}

} // namespace

std::string_view CutSjis(std::string_view text, std::size_t width) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t length =
            IsSjisLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + length > width) {
            break;
        }
        end += length;
    }
    return text.substr(0, end);
}

ReferenceInfo ReferenceInfo::FromRecord(std::string_view record) {
    ReferenceInfo info;
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        const auto [offset, width] = InfoFieldSpans[i];
        if (offset < record.size()) {
            info.Fields[i] = std::string(TrimTrailingSpaces(record.substr(offset, width)));
        }
    }
    return info;
}

ReferenceInfo ReferenceInfo::FromReferenceData(std::string_view data) {
    return FromRecord(data.size() > ReferenceHeaderSize ? data.substr(ReferenceHeaderSize, ReferenceInfoSize)
                                                        : std::string_view{});
}

ReferenceInfo ReferenceInfo::FromUtf8(const std::array<std::string, InfoFieldCount>& texts) {
    ReferenceInfo info;
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        info.Fields[i] = EncodeSjisLossy(texts[i]);
    }
    return info;
}

std::array<std::string, InfoFieldCount> ReferenceInfo::ToUtf8() const {
    std::array<std::string, InfoFieldCount> texts;
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        texts[i] = DecodeSjisForDisplay(Fields[i]);
    }
    return texts;
}

ReferenceInfo ReferenceInfo::WithEdits(const std::array<std::string, InfoFieldCount>& texts) const {
    ReferenceInfo info = *this;
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        if (texts[i] != DecodeSjisForDisplay(Fields[i])) {
            info.Fields[i] = EncodeSjisLossy(texts[i]);
        }
    }
    return info;
}

std::string ReferenceInfo::Record() const {
    std::string record(ReferenceInfoSize, ' ');
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        const auto [offset, width] = InfoFieldSpans[i];
        const std::string_view cut = CutSjis(Fields[i], width);
        record.replace(offset, cut.size(), cut);
    }
    // Trail bytes are never below 0x40, so these bytes are whole characters.
    for (char& c : record) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return record;
}

std::optional<std::string> FindSectionLine(std::string_view fileBytes, std::string_view header,
                                           std::string_view keyPrefix) {
    const std::string text = TextMode(fileBytes);
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        if (!line.starts_with(header)) {
            continue;
        }
        if (!reader.Next(line)) {
            break;
        }
        if (line.starts_with(keyPrefix)) {
            return std::string(UpToZero(line.substr(keyPrefix.size())));
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadSectionLine(const std::string& path, std::string_view header,
                                           std::string_view keyPrefix) {
    const auto bytes = ReadFileBytes(PathFromUtf8(path));
    if (!bytes) {
        return std::nullopt;
    }
    return FindSectionLine(*bytes, header, keyPrefix);
}

bool IsValidReferenceData(std::string_view data) {
    if (data.size() < ReferenceHeaderSize) {
        return false;
    }
    for (const char c : data.substr(0, ReferenceHeaderSize)) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'E'))) {
            return false;
        }
    }
    return true;
}

bool IsValidReferenceFile(const std::string& path) {
    const auto data = ReadSectionLine(path, "[DATA]", "DATA=");
    return data && IsValidReferenceData(*data);
}

std::vector<std::string> ListReferenceValues(std::string_view values) {
    std::vector<std::string> lines;
    // "," is never the second byte of a double-byte character, so cutting the bytes is safe.
    for (std::size_t comma = values.find(','); comma != std::string_view::npos; comma = values.find(',')) {
        lines.push_back(DecodeSjisForDisplay(values.substr(0, comma)));
        values.remove_prefix(comma + 1);
    }
    return lines;
}

std::vector<std::string> ReferenceListEntries(std::string_view data) {
    std::vector<std::string> entries;
    // A last slot cut short by the data length ends there; what follows it in the frame is no name.
    for (std::size_t offset = 0; offset < data.size() && data[offset] != '\0'; offset += ReferenceListSlot) {
        entries.emplace_back(UpToZero(data.substr(offset, ReferenceListSlot)));
    }
    return entries;
}

std::string WorkFilePath(const std::string& exeDir) {
    return exeDir + WorkFileName;
}

bool WriteWorkFile(const std::string& exeDir, WorkPass pass, std::string_view text) {
    ProfileFile work(PathFromUtf8(WorkFilePath(exeDir)));
    return work.WriteBytes(WorkSection(pass), "DATA", text);
}

SaveResult SaveReferenceFile(const std::string& exeDir, const std::string& path, const ReferenceInfo& info) {
    const auto work = ReadFileBytes(PathFromUtf8(WorkFilePath(exeDir)));
    const auto data = work ? FindSectionLine(*work, "[DATA]", "DATA=") : std::nullopt;
    const auto values = work ? FindSectionLine(*work, "[VALUE]", "DATA=") : std::nullopt;
    if (!data || !values) {
        return SaveResult::NoWorkData;
    }
    const std::string record = info.Record();
    // The record goes behind the tester's header; a short text is padded first, so neither a zero byte nor a
    // cut record reaches the file. The line feed stays at the end.
    const std::string_view body = WithoutLineFeed(*data);
    std::string description(body);
    if (description.size() < ReferenceDataMinSize) {
        description.resize(ReferenceDataMinSize, ' ');
    }
    description.replace(ReferenceHeaderSize, ReferenceInfoSize, record);
    description.append(data->substr(body.size()));

    if (path.empty()) {
        return SaveResult::WriteFailed;
    }
    const auto target = PathFromUtf8(path);
    std::optional<std::string> existing = ReadFileBytes(target);
    if (!existing) {
        if (std::filesystem::exists(target)) {
            return SaveResult::WriteFailed; // there but unreadable: never replace what could not be read
        }
        existing.emplace();
    }
    // The three keys in the order the profile writer would write them one by one, replaced in one piece.
    std::string content = ProfileUpdate(*existing, "INFO", "DATA", record);
    content = ProfileUpdate(content, "DATA", "DATA", description);
    content = ProfileUpdate(content, "VALUE", "DATA", *values);
    if (content != *existing && !WriteFileAtomic(target, content)) {
        return SaveResult::WriteFailed;
    }
    return SaveResult::Saved;
}

ReferenceFileView ReadReferenceFile(const std::string& path) {
    ReferenceFileView view;
    const auto bytes = ReadFileBytes(PathFromUtf8(path));
    if (!bytes) {
        return view;
    }
    const auto info = ProfileLookup(*bytes, "INFO", "DATA");
    view.HasInfo = info && !info->empty();
    if (!view.HasInfo) {
        return view;
    }
    const auto data = FindSectionLine(*bytes, "[DATA]", "DATA=");
    view.Info = data ? ReferenceInfo::FromReferenceData(WithoutLineFeed(*data)) : ReferenceInfo::FromRecord(*info);
    view.Values = FindSectionLine(*bytes, "[VALUE]", "DATA=").value_or(std::string{});
    view.ValueLines = ListReferenceValues(view.Values);
    return view;
}

} // namespace vanto
