#include "register/MonitorFiles.h"

#include "common/FileSystem.h"
#include "common/FolderName.h"
#include "common/Paths.h"
#include "common/Sjis.h"
#include "common/TextFile.h"

#include <optional>

namespace vanto {

namespace {
// The index lines as stored (CP932 bytes): a missing index is empty, one that cannot be read is nothing.
std::optional<std::vector<std::string>> ReadIndexBytes(const VehicleFolder& vehicle) {
    if (!vehicle.Valid()) {
        return std::nullopt;
    }
    const auto path = PathFromUtf8(vehicle.MonitorIndexFile());
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        if (FileExists(path) || FolderExists(path)) {
            return std::nullopt;
        }
        return std::vector<std::string>{};
    }
    return SplitLines(*bytes);
}

bool SaveIndexBytes(const std::string& file, const std::vector<std::string>& lines) {
    return WriteFileAtomic(PathFromUtf8(file), JoinLines(lines));
}
} // namespace

std::string RecordTitle(const std::string& recordName, const LocalDateTime& time) {
    return recordName + FormatJapaneseTimestamp(time);
}

std::vector<std::string> ReadMonitorIndex(const VehicleFolder& vehicle) {
    if (!vehicle.Valid()) {
        return {};
    }
    return ReadSjisLines(PathFromUtf8(vehicle.MonitorIndexFile())).value_or(std::vector<std::string>{});
}

StoreResult StoreRecord(const VehicleFolder& vehicle, const std::string& title, std::string_view data) {
    if (!IsRecordTitleUsable(title)) {
        return StoreResult::TitleUnusable;
    }
    auto lines = ReadIndexBytes(vehicle);
    if (!lines) {
        return StoreResult::IndexUnreadable;
    }
    if (!WriteRecordFile(vehicle, title, data)) {
        return StoreResult::RecordNotWritten;
    }
    lines->push_back(EncodeSjisLossy(title));
    return SaveIndexBytes(vehicle.MonitorIndexFile(), *lines) ? StoreResult::Done : StoreResult::IndexNotSaved;
}

bool AppendRecordTitle(const VehicleFolder& vehicle, const std::string& title) {
    auto lines = ReadIndexBytes(vehicle);
    if (!lines) {
        return false;
    }
    lines->push_back(EncodeSjisLossy(title));
    return SaveIndexBytes(vehicle.MonitorIndexFile(), *lines);
}

bool RemoveMonitorEntry(const VehicleFolder& vehicle, int line) {
    if (!vehicle.Valid()) {
        return false;
    }
    const auto path = PathFromUtf8(vehicle.MonitorIndexFile());
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return false;
    }
    auto lines = SplitLines(*bytes);
    if (line < 0 || static_cast<std::size_t>(line) >= lines.size()) {
        return false;
    }
    if (!SaveIndexBytes(vehicle.MonitorIndexBackupFile(), lines)) {
        return false;
    }
    lines.erase(lines.begin() + line);
    return SaveIndexBytes(vehicle.MonitorIndexFile(), lines);
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

bool IsRecordTitleUsable(const std::string& title) {
    return !CheckFolderName(title).has_value();
}

bool WriteRecordFile(const VehicleFolder& vehicle, const std::string& title, std::string_view data) {
    if (!IsRecordTitleUsable(title)) {
        return false;
    }
    return WriteFileAtomic(PathFromUtf8(vehicle.RecordFile(title)), RecordFileBytes(data));
}

std::vector<std::string> ReadRecordLines(const VehicleFolder& vehicle, const std::string& title) {
    if (!vehicle.Valid() || !IsRecordTitleUsable(title)) {
        return {};
    }
    return ReadSjisLinesForDisplay(PathFromUtf8(vehicle.RecordFile(title))).value_or(std::vector<std::string>{});
}

} // namespace vanto
