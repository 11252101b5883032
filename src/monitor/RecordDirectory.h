// The tester's record directory: 3-character entries (a first letter, a second letter and a record digit 0 to
// 3) and the record names the list shows for them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

// The list line of a directory entry, or nothing for a letter pair the program does not know.
std::optional<std::string> RecordName(std::string_view entry);

struct RecordDirectoryListing {
    std::vector<std::string> lines;       // list lines in directory order
    std::vector<std::size_t> entryOfLine; // for each line, the index of its entry in the directory
    std::vector<std::string> entries;     // for each line, its 3-byte entry (what the read command sends)
};

// Lists the entries of the directory data (entries at offsets 0, 3, 6, … below its length). Entries that
// add no line do not shift the others: each line keeps the index of its own entry.
RecordDirectoryListing ListRecordDirectory(std::string_view data);

} // namespace vanto
