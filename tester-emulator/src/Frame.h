// Frames on the wire.
//
// Command (PC to tester): STX, 2 letters, 4 upper-case hexadecimal length digits, data, 2 upper-case
// hexadecimal checksum characters (sum of the bytes from the letters to the end of the data, modulo 256), CR LF.
// Answer (tester to PC): STX, the 2 letters, a 4-character status, 4 length digits, data, checksum over the
// letters, status, length and data, CR LF.
#pragma once

#include "Bytes.h"

#include <string>
#include <string_view>

namespace emu {

inline constexpr char kStx = 0x02;
inline constexpr std::size_t kCommandOverhead = 11; // STX + letters + length + checksum + CR LF
inline constexpr std::size_t kAnswerOverhead = 15;  // the same plus the 4-character status
inline constexpr std::size_t kMaxFrame = 0xFFFF;    // the answer-ready poll carries a 16-bit length

enum class FrameFault { None, BadStart, BadLength, BadChecksum, BadEnd };

struct CommandFrame {
    std::string letters;
    Bytes data;
};

// Checks a received command frame, in this order: start byte, length digits and size, CR LF, checksum.
FrameFault ParseCommandFrame(std::string_view raw, CommandFrame& out);

// The letters to echo in the answer to a frame: offsets 1 and 2 when printable, "??" otherwise.
std::string EchoLetters(std::string_view raw);

// Sum of the bytes modulo 256.
unsigned Checksum(std::string_view bytes);

Bytes BuildAnswerFrame(std::string_view letters, std::string_view status, std::string_view data);

// Short English name of a fault for the diagnostic log.
const char* FrameFaultName(FrameFault fault);

} // namespace emu
