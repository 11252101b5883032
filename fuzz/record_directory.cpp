// The record directory: every listed line maps to a whole 3-byte entry of the answer data.
#include "FuzzCheck.h"
#include "monitor/RecordDirectory.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view directory(reinterpret_cast<const char*>(data), size);
    const vanto::RecordDirectoryListing listing = vanto::ListRecordDirectory(directory);
    FUZZ_CHECK(listing.lines.size() == listing.entryOfLine.size());
    FUZZ_CHECK(listing.lines.size() == listing.entries.size());
    for (std::size_t i = 0; i < listing.lines.size(); ++i) {
        const std::size_t entry = listing.entryOfLine[i];
        FUZZ_CHECK(entry * 3 + 3 <= size);
        FUZZ_CHECK(listing.entries[i] == directory.substr(entry * 3, 3));
        FUZZ_CHECK(vanto::RecordName(listing.entries[i]) == listing.lines[i]);
        FUZZ_CHECK(i == 0 || listing.entryOfLine[i - 1] < entry);
    }
    return 0;
}
