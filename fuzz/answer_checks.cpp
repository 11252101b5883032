// Tester answers: the checks, the data length and data, and FindNumber, on any buffer of any claimed length. The
// buffer is exactly as large as the input, so ASan catches any read outside it; the checks are pure, so a rejected
// answer cannot change anything.
#include "FuzzCheck.h"
#include "tester/Frames.h"

#include <span>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<uint8_t> copy(data, data + size);
    const std::span<const uint8_t> answer(copy);
    const int received = vanto::CheckReceivedFrame(answer);
    const int checked = vanto::CheckAnswerFrame(answer);
    FUZZ_CHECK(received == 0 || received == -1 || received == -3);
    FUZZ_CHECK(checked == 0 || checked == -1);
    FUZZ_CHECK(received == -3 || received == checked);
    const std::string_view payload = vanto::AnswerData(answer);
    FUZZ_CHECK(payload.size() <= size);
    if (!payload.empty()) {
        FUZZ_CHECK(payload.data() >= reinterpret_cast<const char*>(copy.data()) &&
                   payload.data() + payload.size() <= reinterpret_cast<const char*>(copy.data()) + size);
    }
    FUZZ_CHECK(vanto::ZeroTerminatedText(answer).size() <= size);
    FUZZ_CHECK(std::vector<uint8_t>(data, data + size) == copy);

    const std::string_view text(reinterpret_cast<const char*>(copy.data()), size);
    for (int mode = 0; mode <= 5; ++mode) {
        for (const char* key : {"MIN=", "MAX=", "BUFF=", "APP_LOG=", ""}) {
            const int32_t found = vanto::FindNumber(mode, key, text);
            if (mode >= 3 && mode <= 4 && found != vanto::NumberAbsent) {
                FUZZ_CHECK(found >= 0 && static_cast<std::size_t>(found) <= size);
            }
        }
    }
    bool tooLong = false;
    FUZZ_CHECK(vanto::CapabilityValue(text, "BUFF=", tooLong).size() <= 8);
    return 0;
}
