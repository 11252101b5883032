#include "Frame.h"

namespace emu {

unsigned Checksum(std::string_view bytes) {
    unsigned sum = 0;
    for (unsigned char b : bytes) {
        sum += b;
    }
    return sum & 0xFF;
}

FrameFault ParseCommandFrame(std::string_view raw, CommandFrame& out) {
    if (raw.empty() || raw[0] != kStx) {
        return FrameFault::BadStart;
    }
    if (raw.size() < kCommandOverhead) {
        return FrameFault::BadLength;
    }
    auto n = ParseHex(raw.substr(3, 4));
    if (!n || raw.size() != kCommandOverhead + *n) {
        return FrameFault::BadLength;
    }
    if (raw[9 + *n] != '\r' || raw[10 + *n] != '\n') {
        return FrameFault::BadEnd;
    }
    auto sum = ParseHex(raw.substr(7 + *n, 2));
    if (!sum || *sum != Checksum(raw.substr(1, 6 + *n))) {
        return FrameFault::BadChecksum;
    }
    out.letters = std::string(raw.substr(1, 2));
    out.data = Bytes(raw.substr(7, *n));
    return FrameFault::None;
}

std::string EchoLetters(std::string_view raw) {
    if (raw.size() < 3) {
        return "??";
    }
    std::string letters(raw.substr(1, 2));
    for (unsigned char c : letters) {
        if (c < 0x20 || c > 0x7E) {
            return "??";
        }
    }
    return letters;
}

Bytes BuildAnswerFrame(std::string_view letters, std::string_view status, std::string_view data) {
    Bytes body =
        std::string(letters) + std::string(status) + Hex(static_cast<unsigned>(data.size()), 4) + std::string(data);
    return std::string(1, kStx) + body + Hex(Checksum(body), 2) + "\r\n";
}

const char* FrameFaultName(FrameFault fault) {
    switch (fault) {
    case FrameFault::None:
        return "well formed";
    case FrameFault::BadStart:
        return "start byte is not STX";
    case FrameFault::BadLength:
        return "length digits or frame size wrong";
    case FrameFault::BadChecksum:
        return "checksum wrong";
    case FrameFault::BadEnd:
        return "frame does not end with CR LF";
    }
    return "?";
}

} // namespace emu
