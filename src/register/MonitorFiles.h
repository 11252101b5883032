// A vehicle's stored records: the index "ﾓﾆﾀ.DT" (one record title per line, oldest first) and one record file
// per title (title + ".MONDT", one value per line). Record values are kept as the tester sent them. The files'
// names come from the vehicle folder (register/VehicleFolder.h).
#pragma once

#include "common/Clock.h"
#include "register/VehicleFolder.h"

#include <string>
#include <string_view>
#include <vector>

namespace vanto {

// The record name followed by the read time: "モニタ記録１2026年12月6日7時5分9秒".
std::string RecordTitle(const std::string& recordName, const LocalDateTime& time);

// The index lines; a missing (or unreadable) index is an empty list.
std::vector<std::string> ReadMonitorIndex(const VehicleFolder& vehicle);

enum class StoreResult {
    Done,
    TitleUnusable,    // the title cannot name a file: nothing written
    IndexUnreadable,  // the index exists but cannot be read: nothing written, every earlier title kept
    RecordNotWritten, // the record file could not be written: the index is unchanged
    IndexNotSaved,    // the record file was written, the index could not be saved (it is unchanged)
};

// Files a record: its file first, then its title at the end of the index, so the index never names a record that
// was not written. Only a missing index counts as empty; one that exists but cannot be read stops everything.
StoreResult StoreRecord(const VehicleFolder& vehicle, const std::string& title, std::string_view data);

// Appends a title to the index (a missing index counts as empty); false when the index cannot be read or saved.
bool AppendRecordTitle(const VehicleFolder& vehicle, const std::string& title);

// Saves the index as it stands to "ﾓﾆﾀ_BK.DT" and removes the entry at `line` (the record file stays). False
// when the index cannot be read, the line is out of range, or the index or its backup cannot be written (the
// index is then unchanged).
bool RemoveMonitorEntry(const VehicleFolder& vehicle, int line);

// The record file's bytes for the answer data: split at every ",", each value on its own CR LF line; the
// text after the last "," is the last line.
std::string RecordFileBytes(std::string_view data);

// Writes the record file of a title from the answer data; false when it cannot be written.
bool WriteRecordFile(const VehicleFolder& vehicle, const std::string& title, std::string_view data);

// The lines of a record file, decoded for showing; a missing file, or a title that is no file name, gives no
// lines.
std::vector<std::string> ReadRecordLines(const VehicleFolder& vehicle, const std::string& title);

// True when the title can name a record file inside the vehicle folder.
bool IsRecordTitleUsable(const std::string& title);

} // namespace vanto
