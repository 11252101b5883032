#include "app/LegacyImport.h"

#include "common/FolderName.h"
#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"
#include "register/RegisterNames.h"

#include <set>
#include <string_view>
#include <system_error>
#include <vector>

namespace vanto {
namespace fs = std::filesystem;

namespace {

// The legacy program read its file in pieces of at most this many characters.
constexpr std::size_t LineBufferLength = 66'559;

// Lines as the legacy reader saw them: cut at LF or at the buffer length; a last piece without line end is
// not a line.
std::vector<std::string_view> LegacyLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        const bool cut = end - pos > LineBufferLength;
        if (cut) {
            end = pos + LineBufferLength;
        } else if (lf == std::string_view::npos) {
            break;
        }
        std::string_view line = text.substr(pos, end - pos);
        if (line.ends_with('\n')) {
            line.remove_suffix(1);
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        pos = end;
    }
    return lines;
}

// A profile built in memory key by key, written once.
struct PendingProfile {
    fs::path path;
    std::string content;
    bool changed = false;

    void Load(const fs::path& file) {
        path = file;
        content = ReadFileBytes(file).value_or(std::string());
        changed = false;
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) {
        std::string updated = ProfileUpdate(content, section, key, value);
        changed = changed || updated != content;
        content = std::move(updated);
    }
    void WriteList(std::string_view section, std::string_view value) {
        Write(section, "NUM", "1");
        Write(section, "DATA0", value);
    }
    void Flush() {
        if (changed && !path.empty()) {
            WriteFileAtomic(path, content);
        }
        changed = false;
    }
};

class Converter {
public:
    explicit Converter(const WorkingPaths& paths) : paths_(paths) {}

    void ConvertLine(std::string_view line);

private:
    bool CompleteField(const std::string& field, int index);
    void WriteMonitorList(std::string_view list);

    const WorkingPaths& paths_;
    int vehicleCounter_ = 1;
    std::set<std::string> listed_;
    std::string customerFolder_;
    std::string vehicleFolder_;
    PendingProfile customer_;
    PendingProfile vehicle_;
};

void Converter::ConvertLine(std::string_view line) {
    customerFolder_.clear();
    vehicleFolder_.clear();
    customer_ = {};
    vehicle_ = {};
    std::string field;
    int index = 0;
    std::size_t pos = 1; // the line's first character is "{"
    bool valid = true;
    while (pos < line.size() && valid) {
        if (line.substr(pos).starts_with("},{")) {
            valid = CompleteField(field, index++);
            field.clear();
            pos += 3;
        } else if (line.substr(pos).starts_with("},")) {
            // The field just completed is the comment; the monitor record names follow.
            if (!vehicleFolder_.empty()) {
                vehicle_.WriteList("COMMENT", field);
            }
            customer_.Flush();
            vehicle_.Flush();
            if (!vehicleFolder_.empty()) {
                WriteMonitorList(line.substr(pos + 2));
            }
            return;
        } else {
            // A double-byte character is taken whole: its second byte may look like "}".
            const std::size_t width =
                IsSjisLeadByte(static_cast<unsigned char>(line[pos])) && pos + 1 < line.size() ? 2 : 1;
            field.append(line.substr(pos, width));
            pos += width;
        }
    }
    customer_.Flush();
    vehicle_.Flush();
}

// Handles a completed field; false stops the line (a customer name that cannot be a folder).
bool Converter::CompleteField(const std::string& field, int index) {
    if (index == 0) {
        const std::string name = DecodeSjis(field);
        if (CheckFolderName(name)) {
            return false;
        }
        if (listed_.insert(field).second) {
            AppendFileBytes(PathFromUtf8(paths_.VisitorFile), field + "\r\n");
        }
        customerFolder_ = paths_.CustomerRoot + name;
        std::error_code ec;
        fs::create_directory(PathFromUtf8(customerFolder_), ec);
        customer_.Load(PathFromUtf8(ProfileFileName(customerFolder_, name)));
        return true;
    }
    if (customerFolder_.empty()) {
        return false;
    }
    switch (index) {
    case 1:
    case 2:
        if (!field.empty()) {
            customer_.WriteList(index == 1 ? "TEL" : "HANDY", field);
        }
        break;
    case 3:
        if (!field.empty()) {
            customer_.WriteList("POST_NO", "000-0000");
            customer_.WriteList("ADD", field);
        }
        break;
    case 4: {
        vehicleCounter_ = field.empty() ? vehicleCounter_ + 1 : 1;
        const std::string number = std::to_string(vehicleCounter_);
        const std::string vehicleName = "未登録" + number;
        customer_.Write("CAR_NO", "NUM", number);
        customer_.Write("CAR_NO", "DATA" + std::to_string(vehicleCounter_ - 1), EncodeSjisLossy(vehicleName));
        vehicleFolder_ = customerFolder_ + std::string(FolderSeparator) + vehicleName;
        std::error_code ec;
        fs::create_directory(PathFromUtf8(vehicleFolder_), ec);
        vehicle_.Load(PathFromUtf8(ProfileFileName(vehicleFolder_, vehicleName)));
        vehicle_.WriteList("MAKER", field);
        break;
    }
    case 5:
    case 6:
    case 7:
    case 8: {
        static constexpr const char* sections[] = {"TYPE_CAR", "MODEL", "ENGING_TYPE", "COMMENT"};
        if (!vehicleFolder_.empty()) {
            vehicle_.WriteList(sections[index - 5], field);
        }
        break;
    }
    default:
        break; // fields beyond the comment are not used
    }
    return true;
}

void Converter::WriteMonitorList(std::string_view list) {
    const std::string folder = vehicleFolder_ + std::string(FolderSeparator);
    std::string index;
    std::size_t pos = 0;
    for (std::size_t comma = list.find(',', pos); comma != std::string_view::npos; comma = list.find(',', pos)) {
        const std::string_view name = list.substr(pos, comma - pos);
        pos = comma + 1;
        if (name.empty()) {
            continue;
        }
        index.append(name);
        index.append("\r\n");
        const std::string title = DecodeSjis(name);
        if (CheckFolderName(title)) {
            continue; // not a file name: the title is listed, its record cannot be copied
        }
        const auto legacy = ReadFileBytes(PathFromUtf8(paths_.UsersDir + title + ".MONDT"));
        if (!legacy) {
            continue;
        }
        const std::string_view firstLine = std::string_view(*legacy).substr(0, legacy->find('\n'));
        std::string record;
        std::size_t start = 0;
        for (std::size_t end = firstLine.find(','); end != std::string_view::npos; end = firstLine.find(',', start)) {
            record.append(firstLine.substr(start, end - start));
            record.append("\r\n");
            start = end + 1;
        }
        WriteFileAtomic(PathFromUtf8(folder + title + ".MONDT"), record);
    }
    WriteFileAtomic(PathFromUtf8(folder + "ﾓﾆﾀ.DT"), index);
}

} // namespace

void LegacyImport(const WorkingPaths& paths) {
    const auto legacy = ReadFileBytes(PathFromUtf8(paths.ExeDir + LegacyDatabaseName));
    if (!legacy) {
        return;
    }
    Converter converter(paths);
    for (const std::string_view line : LegacyLines(*legacy)) {
        converter.ConvertLine(line);
    }
}

} // namespace vanto
