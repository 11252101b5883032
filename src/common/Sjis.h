// Shift-JIS (code page 932) at the edges of the program.
//
// Inside the program text is UTF-8. Files and tester frames are CP932. Decoding is lossless: a byte that is not
// part of a valid CP932 character is carried as the private-use character U+F700 + byte, which no CP932
// character maps to, and encoding turns it back into the same byte. So a damaged file read and saved again keeps
// every byte it had.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vanto {

// CP932 bytes to UTF-8; never fails (invalid bytes become escape characters, see above). A double-byte code that
// CP932 writes with other bytes (the NEC and IBM rows repeat characters of other rows) is kept as two escape
// characters too, so encoding the text always gives back the same bytes.
std::string DecodeSjis(std::string_view sjis);

// CP932 bytes to UTF-8 for showing only (never to be written back): repeated codes show as their characters.
// Tester data is kept as the bytes received and shown with this.
std::string DecodeSjisForDisplay(std::string_view sjis);

// UTF-8 to CP932 bytes. Escape characters become their byte again. Returns nothing when the text holds a
// character that CP932 cannot store or is not valid UTF-8.
std::optional<std::string> EncodeSjis(std::string_view utf8);

// EncodeSjis for texts that must be written whatever they hold: unstorable characters become "?".
std::string EncodeSjisLossy(std::string_view utf8);

// True when every character of the UTF-8 text is a real CP932 character (escape characters do not count):
// the rule for text a user types that ends up in a file or a folder name.
bool IsSjisText(std::string_view utf8);

// Length in CP932 bytes of the UTF-8 text (unstorable characters count as one byte).
std::size_t SjisLength(std::string_view utf8);

// True for a byte that starts a double-byte CP932 character.
constexpr bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace vanto
