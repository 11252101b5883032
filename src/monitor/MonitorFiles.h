// A vehicle's stored records: the index "ﾓﾆﾀ.DT" (one record title per line, oldest first) and one record file
// per title (title + ".MONDT", one value per line). Record values are kept as the tester sent them.
#pragma once

#include "common/Clock.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

inline constexpr const char* MonitorIndexName = "ﾓﾆﾀ.DT";
inline constexpr const char* MonitorIndexBackupName = "ﾓﾆﾀ_BK.DT";
inline constexpr const char* RecordFileExtension = ".MONDT";

// The record name followed by the read time: "モニタ記録１2026年12月6日7時5分9秒".
std::string RecordTitle(const std::string& recordName, const LocalDateTime& time);

// The index lines of a vehicle folder (UTF-8 folder text with a trailing separator); a missing index is an
// empty list.
std::vector<std::string> ReadMonitorIndex(const std::string& vehicleFolder);

// Appends a title to the index (a missing index counts as empty); false when it cannot be saved.
bool AppendRecordTitle(const std::string& vehicleFolder, const std::string& title);

// The record file's bytes for the answer data: split at every ",", each value on its own CR LF line; the
// text after the last "," is the last line.
std::string RecordFileBytes(std::string_view data);

// Writes the record file of a title from the answer data; false when it cannot be written.
bool WriteRecordFile(const std::string& vehicleFolder, const std::string& title, std::string_view data);

// The lines of a record file, decoded for showing; a missing file, or a title that is no file name, gives no
// lines.
std::vector<std::string> ReadRecordLines(const std::string& vehicleFolder, const std::string& title);

// True when the title can name a record file inside the vehicle folder.
bool IsRecordTitleUsable(const std::string& title);

} // namespace vanto
