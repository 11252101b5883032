#include "Bytes.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace emu {

#if defined(_WIN32)

std::optional<Bytes> ToCp932(std::string_view utf8) {
    if (utf8.empty()) {
        return Bytes();
    }
    const int utf8Size = static_cast<int>(utf8.size());
    const int wideSize = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8Size, nullptr, 0);
    if (wideSize <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Size, wide.data(), wideSize);
    // No best-fit guesses: a character CP932 cannot store is an error, as with iconv.
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, nullptr, 0, nullptr, &usedDefault);
    Bytes out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size <= 0 ||
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, out.data(), size, nullptr,
                            &usedDefault) != size ||
        usedDefault) {
        return std::nullopt;
    }
    return out;
}

#else

std::optional<Bytes> ToCp932(std::string_view utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    Bytes out;
    std::string in(utf8);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char chunk[256];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk;
        size_t outLeft = sizeof chunk;
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<size_t>(outPtr - chunk));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok) {
        return std::nullopt;
    }
    return out;
}

#endif

namespace {
int HexDigit(char c, bool upperOnly) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (!upperOnly && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}
} // namespace

std::optional<Bytes> FromHex(std::string_view hex) {
    Bytes out;
    int high = -1;
    for (char c : hex) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (high >= 0) {
                return std::nullopt; // a blank inside a pair
            }
            continue;
        }
        int d = HexDigit(c, false);
        if (d < 0) {
            return std::nullopt;
        }
        if (high < 0) {
            high = d;
        } else {
            out.push_back(static_cast<char>(high * 16 + d));
            high = -1;
        }
    }
    if (high >= 0) {
        return std::nullopt;
    }
    return out;
}

std::string Escape(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() + 16);
    for (unsigned char b : bytes) {
        if (b == '\\') {
            out += "\\\\";
        } else if (b >= 0x20 && b <= 0x7E) {
            out += static_cast<char>(b);
        } else {
            out += "\\x";
            out += digits[b >> 4];
            out += digits[b & 15];
        }
    }
    return out;
}

std::string Hex(unsigned value, int width) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out(static_cast<size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = digits[value & 15];
        value >>= 4;
    }
    return out;
}

std::optional<unsigned> ParseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char c : digits) {
        int d = HexDigit(c, true);
        if (d < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

Bytes CutSjis(std::string_view sjis, std::size_t width) {
    std::size_t i = 0;
    while (i < sjis.size()) {
        auto b = static_cast<unsigned char>(sjis[i]);
        std::size_t len = ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ? 2 : 1;
        if (i + len > width) {
            break;
        }
        i += len;
    }
    return Bytes(sjis.substr(0, std::min(i, sjis.size())));
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace emu
