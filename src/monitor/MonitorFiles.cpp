#include "monitor/MonitorFiles.h"

#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/TextFile.h"
#include "register/RegisterNames.h"

namespace vanto {

std::string RecordTitle(const std::string& recordName, const LocalDateTime& time) {
    return recordName + FormatJapaneseTimestamp(time);
}

std::vector<std::string> ReadMonitorIndex(const std::string& vehicleFolder) {
    return ReadSjisLines(PathFromUtf8(vehicleFolder + MonitorIndexName)).value_or(std::vector<std::string>{});
}

bool AppendRecordTitle(const std::string& vehicleFolder, const std::string& title) {
    std::vector<std::string> lines = ReadMonitorIndex(vehicleFolder);
    lines.push_back(title);
    return SaveSjisLines(PathFromUtf8(vehicleFolder + MonitorIndexName), lines);
}

std::string RecordFileBytes(std::string_view data) {
    std::string bytes;
    bytes.reserve(data.size() + data.size() / 4 + 2);
    for (const char c : data) {
        if (c == ',') {
            bytes += "\r\n";
        } else {
            bytes += c;
        }
    }
    bytes += "\r\n";
    return bytes;
}

bool IsRecordTitleUsable(const std::string& title) { return !CheckFolderName(title).has_value(); }

bool WriteRecordFile(const std::string& vehicleFolder, const std::string& title, std::string_view data) {
    if (!IsRecordTitleUsable(title)) {
        return false;
    }
    return WriteFileAtomic(PathFromUtf8(vehicleFolder + title + RecordFileExtension), RecordFileBytes(data));
}

std::vector<std::string> ReadRecordLines(const std::string& vehicleFolder, const std::string& title) {
    if (!IsRecordTitleUsable(title)) {
        return {};
    }
    return ReadSjisLines(PathFromUtf8(vehicleFolder + title + RecordFileExtension))
        .value_or(std::vector<std::string>{});
}

} // namespace vanto
