// Shift-JIS at the edges: any bytes decode, and encoding the decoded text gives back the same bytes.
#include "common/Sjis.h"
#include "FuzzCheck.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = vanto::DecodeSjis(bytes);
    const auto encoded = vanto::EncodeSjis(text);
    FUZZ_CHECK(encoded.has_value());
    FUZZ_CHECK(*encoded == bytes);
    FUZZ_CHECK(vanto::EncodeSjisLossy(text) == bytes);
    // Any UTF-8 text either encodes or is refused; it never crashes.
    (void)vanto::EncodeSjis(bytes);
    (void)vanto::IsSjisText(bytes);
    (void)vanto::SjisLength(bytes);
    return 0;
}
