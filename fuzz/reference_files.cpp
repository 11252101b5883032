// Reference-value texts: the line reader never reads past the data, the validity rule looks only at what it finds,
// and the description's fields are never longer than their widths, whole characters only.
#include "FuzzCheck.h"
#include "common/Sjis.h"
#include "reference/ReferenceFiles.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size); // exactly the input, so ASan sees overruns
    for (const char* header : {"[DATA]", "[VALUE]", "[INFO]"}) {
        const auto found = vanto::FindSectionLine(bytes, header, "DATA=");
        if (found) {
            FUZZ_CHECK(found->size() <= size);
            // One line of the file: its only line feed is the last byte, read from LF or CR LF.
            const std::size_t feed = found->find('\n');
            FUZZ_CHECK(feed == std::string::npos || feed + 1 == found->size());
            const std::string withCr = feed == std::string::npos ? *found : found->substr(0, feed) + "\r\n";
            FUZZ_CHECK(bytes.find(*found) != std::string::npos || bytes.find(withCr) != std::string::npos);
        }
    }
    (void)vanto::IsValidReferenceData(bytes);
    (void)vanto::ListReferenceValues(bytes);
    for (const std::string& entry : vanto::ReferenceListEntries(bytes)) {
        FUZZ_CHECK(entry.size() <= 80);
    }

    const vanto::ReferenceInfo fromData = vanto::ReferenceInfo::FromReferenceData(bytes);
    const vanto::ReferenceInfo fromRecord = vanto::ReferenceInfo::FromRecord(bytes);
    for (const vanto::ReferenceInfo* info : {&fromData, &fromRecord}) {
        const std::string record = info->Record();
        FUZZ_CHECK(record.size() == 216);
        for (std::size_t i = 0; i < info->Fields.size(); ++i) {
            const auto span = vanto::InfoFieldSpans[i];
            FUZZ_CHECK(info->Fields[i].size() <= span.width);
            // The field read back from the record is the field cut to whole characters.
            const std::string_view cut = vanto::CutSjis(info->Fields[i], span.width);
            FUZZ_CHECK(cut.size() <= span.width);
        }
        FUZZ_CHECK(vanto::ReferenceInfo::FromRecord(record).Record() == record);
    }
    return 0;
}
