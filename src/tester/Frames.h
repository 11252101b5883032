// The tester's frames on bytes, without any link: building a command frame, checking an answer frame, reading its
// fields, and picking numbers and capability values out of answer texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vanto {

inline constexpr int32_t NumberAbsent = INT32_MIN;
inline constexpr std::size_t AnswerHeaderSize = 11; // start, letters, status, length digits

// Command groups of BuildCommandFrame.
enum CommandGroup : int { GroupLink = 0, GroupReference = 75, GroupContinuous = 77, GroupRecord = 83 };

// Builds the command frame into the buffer, which is cleared first: STX, the letters, the data length as 4
// upper-case hexadecimal digits, the data, the checksum (sum of the bytes after STX, modulo 256, as 2 upper-case
// hexadecimal digits), CR LF. `writeData` is the zero-terminated payload of a reference-value write. Returns the
// frame length; 0 (nothing built) for an unknown command or a payload the buffer cannot carry.
int BuildCommandFrame(std::span<uint8_t> buffer, int group, int selector, int first, int second,
                      std::string_view writeData = {});

// The answer checks, in this order: -3 for an answer from the download (waiting) mode ("AAN000" without
// "APP_V"), then CheckAnswerFrame.
int CheckReceivedFrame(std::span<const uint8_t> buffer);
// 0 for a valid answer, -1 when the byte at offset 1 is 255, any byte from offset 1 to the end of the data claimed
// by the length field is 255, or the status reads "A00". Never reads outside the buffer.
int CheckAnswerFrame(std::span<const uint8_t> buffer);
// True when the status field at offset 3 reads "A00" (the tester refused the command).
bool IsRefusal(std::span<const uint8_t> buffer);

// The answer's data length field (offsets 7 to 10) as an unsigned hexadecimal number.
unsigned AnswerDataLength(std::span<const uint8_t> buffer);
// The answer's data, cut to what the buffer holds.
std::string_view AnswerData(std::span<const uint8_t> buffer);
// The buffer as text up to its first zero byte.
std::string_view ZeroTerminatedText(std::span<const uint8_t> buffer);

// Modes 1 and 2: the decimal number after the first `key` up to the next "," or the end; modes 3 and 4: the
// position just after the key. NumberAbsent when the key is missing or the mode unknown.
int32_t FindNumber(int mode, std::string_view key, std::string_view text);

// A hexadecimal number; reading stops at the first character that is not a hexadecimal digit.
uint32_t HexValue(std::string_view text);

// The characters after `key` up to the next "," (at most 8), and whether the count reached 8 (a capability value
// that long is not taken).
std::string_view CapabilityValue(std::string_view text, std::string_view key, bool& tooLong);

} // namespace vanto
