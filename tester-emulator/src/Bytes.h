// Byte helpers of the emulated tester: Shift-JIS (CP932) text, hexadecimal, escaping for the transcript.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace emu {

// Everything the tester sends or keeps is raw bytes; std::string is only the container.
using Bytes = std::string;

// UTF-8 to CP932 bytes; nothing when the text holds a character CP932 cannot store or is not UTF-8.
std::optional<Bytes> ToCp932(std::string_view utf8);

// "82 A0 41" or "82a041": pairs of hexadecimal digits, blanks between them ignored; nothing when malformed.
std::optional<Bytes> FromHex(std::string_view hex);

// The transcript's form of a frame: printable ASCII as it is, a backslash doubled, any other byte \xHH.
std::string Escape(std::string_view bytes);

// Upper-case hexadecimal digits of a value, zero-padded to `width` digits.
std::string Hex(unsigned value, int width);

// Value of upper-case hexadecimal digits; nothing when any is not one.
std::optional<unsigned> ParseHex(std::string_view digits);

// The longest start of a CP932 text that fits `width` bytes without splitting a double-byte character.
Bytes CutSjis(std::string_view sjis, std::size_t width);

// The text without its trailing spaces.
std::string_view TrimRight(std::string_view text);

} // namespace emu
