#include "common/Sjis.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace vanto {
namespace {

constexpr char32_t EscapeBase = 0xF700;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendEscape(std::string& out, unsigned char byte) {
    AppendUtf8(out, EscapeBase + byte);
}

// Decodes one UTF-8 character at text[pos]; returns its length, or 0 when the sequence is invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    std::size_t len = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (pos + len > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return len;
}

bool IsEscape(char32_t cp) {
    return cp >= EscapeBase + 0x80 && cp <= EscapeBase + 0xFF;
}

#if defined(_WIN32)

// Converts one CP932 character (one or two bytes); false when the bytes are no character.
bool DecodeCharacter(std::string_view bytes, std::string& out) {
    wchar_t wide[4];
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide, 4);
    if (n <= 0) {
        return false;
    }
    char utf8[16];
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8, nullptr, nullptr);
    if (m <= 0) {
        return false;
    }
    out.append(utf8, static_cast<std::size_t>(m));
    return true;
}

// UTF-16 to CP932 without best-fit guesses; unstorable units become "?". True when every unit was stored.
bool WideToSjis(std::wstring_view wide, std::string& out) {
    BOOL usedDefault = FALSE;
    const int wideLen = static_cast<int>(wide.size());
    const int len = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLen, nullptr, 0, "?", &usedDefault);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(std::max(len, 0)));
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLen, out.data() + at, len, "?", &usedDefault);
    return !usedDefault;
}

// Encodes a run of UTF-8 text without escape characters; false when a character cannot be stored.
bool EncodeRun(std::string_view utf8, std::string& out, bool lossy) {
    if (utf8.empty()) {
        return true;
    }
    const int wideLen =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wideLen <= 0) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(wideLen), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLen);
    std::string bytes;
    if (WideToSjis(wide, bytes)) {
        out += bytes;
        return true;
    }
    if (!lossy) {
        return false;
    }
    // The code page call puts one "?" per UTF-16 unit, so two for a character beyond the BMP (none of which CP932
    // has): such a pair becomes one "?", so that an unstorable character counts as one byte, as elsewhere.
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                          wide[i + 1] <= 0xDFFF;
        if (pair) {
            out += '?';
            ++i;
        } else {
            WideToSjis(std::wstring_view(wide).substr(i, 1), out);
        }
    }
    return true;
}

#else

// One converter per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns the number of input bytes consumed.
    std::size_t Convert(std::string_view in, std::string& out) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            return 0;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return in.size() - inLeft;
    }

private:
    iconv_t cd_;
};

Converter& FromSjis() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& ToSjis() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

bool EncodeRun(std::string_view utf8, std::string& out, bool lossy) {
    while (!utf8.empty()) {
        const std::size_t used = ToSjis().Convert(utf8, out);
        utf8.remove_prefix(used);
        if (utf8.empty()) {
            break;
        }
        if (!lossy) {
            return false;
        }
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, 0, cp);
        out += '?';
        utf8.remove_prefix(len == 0 ? 1 : len);
    }
    return true;
}

#endif

// Byte values that CP932 leaves undefined as single bytes.
bool IsUndefinedSingleByte(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

std::optional<std::string> Encode(std::string_view utf8, bool lossy);

// A double-byte code kept as it is: the lead byte as an escape, the second byte as an escape too, or as itself when
// it is ASCII (escapes exist for bytes from 0x80 only).
void AppendEscapedPair(std::string& out, unsigned char lead, unsigned char trail) {
    AppendEscape(out, lead);
    if (trail < 0x80) {
        out += static_cast<char>(trail);
    } else {
        AppendEscape(out, trail);
    }
}

bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Double-byte codes that CP932 reads as a character it writes with other bytes (the NEC and IBM rows repeat
// characters of other rows). Decoding them would not give their bytes back, so a lossless decode keeps them as
// escape characters. Worked out once from the converter itself.
class NonCanonicalCodes {
public:
    NonCanonicalCodes() {
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) {
                continue;
            }
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (!IsTrailByte(static_cast<unsigned char>(trail))) {
                    continue;
                }
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                std::string text;
                if (!DecodePair(std::string_view(pair, 2), text)) {
                    continue;
                }
                const auto back = Encode(text, false);
                if (!back || *back != std::string_view(pair, 2)) {
                    codes_[lead * 256 + trail] = true;
                }
            }
        }
    }
    bool Contains(unsigned char lead, unsigned char trail) const { return codes_[lead * 256u + trail]; }

private:
    static bool DecodePair(std::string_view pair, std::string& out) {
#if defined(_WIN32)
        return DecodeCharacter(pair, out);
#else
        return FromSjis().Convert(pair, out) == pair.size();
#endif
    }
    std::vector<bool> codes_ = std::vector<bool>(65536, false);
};

bool IsNonCanonical(std::string_view bytes, std::size_t pos) {
    static const NonCanonicalCodes codes;
    return pos + 1 < bytes.size() &&
           codes.Contains(static_cast<unsigned char>(bytes[pos]), static_cast<unsigned char>(bytes[pos + 1]));
}

std::string Decode(std::string_view sjis, bool keepBytes);

// A character whose CP932 bytes read back as another character cannot be stored: its file would not give it back.
// (The converters map 〜 U+301C to the bytes of ～ U+FF5E, ¢ U+00A2 to those of ￠ U+FFE0, and the like.)
bool StoresAsItself(char32_t cp) {
    if (cp < 0x80) {
        return true;
    }
    thread_local std::unordered_map<char32_t, bool> known;
    const auto found = known.find(cp);
    if (found != known.end()) {
        return found->second;
    }
    std::string text;
    AppendUtf8(text, cp);
    std::string bytes;
    const bool stores = EncodeRun(text, bytes, false) && Decode(bytes, false) == text;
    known.emplace(cp, stores);
    return stores;
}

std::optional<std::string> Encode(std::string_view utf8, bool lossy) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, pos, cp);
        if (len == 0) {
            if (!lossy) {
                return std::nullopt;
            }
            if (!EncodeRun(utf8.substr(runStart, pos - runStart), out, lossy)) {
                return std::nullopt;
            }
            out += '?';
            pos += 1;
            runStart = pos;
            continue;
        }
        if (IsEscape(cp)) {
            if (!EncodeRun(utf8.substr(runStart, pos - runStart), out, lossy)) {
                return std::nullopt;
            }
            out += static_cast<char>(cp - EscapeBase);
            pos += len;
            runStart = pos;
            continue;
        }
        if (!StoresAsItself(cp)) {
            if (!lossy || !EncodeRun(utf8.substr(runStart, pos - runStart), out, lossy)) {
                return std::nullopt;
            }
            out += '?';
            pos += len;
            runStart = pos;
            continue;
        }
        pos += len;
    }
    if (!EncodeRun(utf8.substr(runStart), out, lossy)) {
        return std::nullopt;
    }
    return out;
}

std::string Decode(std::string_view sjis, bool keepBytes) {
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    std::size_t pos = 0;
#if defined(_WIN32)
    while (pos < sjis.size()) {
        const auto b = static_cast<unsigned char>(sjis[pos]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++pos;
        } else if (keepBytes && IsNonCanonical(sjis, pos)) {
            AppendEscapedPair(out, b, static_cast<unsigned char>(sjis[pos + 1]));
            pos += 2;
        } else if (IsSjisLeadByte(b) && pos + 1 < sjis.size() && DecodeCharacter(sjis.substr(pos, 2), out)) {
            pos += 2;
        } else if (!IsSjisLeadByte(b) && !IsUndefinedSingleByte(b) && DecodeCharacter(sjis.substr(pos, 1), out)) {
            ++pos;
        } else {
            AppendEscape(out, b);
            ++pos;
        }
    }
#else
    while (pos < sjis.size()) {
        // Plain ASCII runs need no converter.
        std::size_t ascii = pos;
        while (ascii < sjis.size() && static_cast<unsigned char>(sjis[ascii]) < 0x80) {
            ++ascii;
        }
        out.append(sjis.substr(pos, ascii - pos));
        pos = ascii;
        if (pos == sjis.size()) {
            break;
        }
        const auto b = static_cast<unsigned char>(sjis[pos]);
        if (keepBytes && IsNonCanonical(sjis, pos)) {
            AppendEscapedPair(out, b, static_cast<unsigned char>(sjis[pos + 1]));
            pos += 2;
            continue;
        }
        if (IsUndefinedSingleByte(b)) {
            AppendEscape(out, b);
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < sjis.size() && !IsUndefinedSingleByte(static_cast<unsigned char>(sjis[end])) &&
               !(keepBytes && IsNonCanonical(sjis, end))) {
            end += IsSjisLeadByte(static_cast<unsigned char>(sjis[end])) ? 2 : 1;
        }
        end = std::min(end, sjis.size());
        const std::size_t used = FromSjis().Convert(sjis.substr(pos, end - pos), out);
        pos += used;
        if (pos < end) {
            AppendEscape(out, static_cast<unsigned char>(sjis[pos]));
            ++pos;
        }
    }
#endif
    return out;
}
} // namespace

std::string DecodeSjis(std::string_view sjis) {
    return Decode(sjis, true);
}

std::string DecodeSjisForDisplay(std::string_view sjis) {
    return Decode(sjis, false);
}

std::optional<std::string> EncodeSjis(std::string_view utf8) {
    return Encode(utf8, false);
}

std::string EncodeSjisLossy(std::string_view utf8) {
    return *Encode(utf8, true);
}

bool IsSjisText(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, pos, cp);
        if (len == 0 || IsEscape(cp)) {
            return false;
        }
        pos += len;
    }
    return EncodeSjis(utf8).has_value();
}

std::size_t SjisLength(std::string_view utf8) {
    return EncodeSjisLossy(utf8).size();
}

} // namespace vanto
