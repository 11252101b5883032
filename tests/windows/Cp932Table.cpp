// Writes glibc's CP932 table, as iconv converts, for the Shift-JIS test that both platforms run against it:
//   "D <bytes> <UTF-8>" for every single byte and every lead/trail pair (UTF-8 "-" when iconv refuses it),
//   "E <code point> <bytes>" for every BMP character iconv can store (all hexadecimal).
// Usage: cp932_table OUTPUT
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <optional>
#include <string>

namespace {

std::optional<std::string> Convert(iconv_t cd, const std::string& in) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string input = in;
    char* inPtr = input.data();
    std::size_t inLeft = input.size();
    char buffer[32];
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(outPtr - buffer));
}

std::string Hex(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (const char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        text += pair;
    }
    return text;
}

std::string Utf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    const iconv_t decode = iconv_open("UTF-8", "CP932");
    const iconv_t encode = iconv_open("CP932", "UTF-8");
    if (decode == reinterpret_cast<iconv_t>(-1) || encode == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "iconv has no CP932\n");
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    auto line = [&](const char* kind, const std::string& key, const std::optional<std::string>& value) {
        std::fprintf(out, "%s %s %s\n", kind, key.c_str(), value ? Hex(*value).c_str() : "-");
    };
    for (int b = 0; b < 0x100; ++b) {
        const std::string code(1, static_cast<char>(b));
        line("D", Hex(code), Convert(decode, code));
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            line("D", Hex(code), Convert(decode, code));
        }
    }
    char key[8];
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        if (const auto bytes = Convert(encode, Utf8(cp))) {
            std::snprintf(key, sizeof key, "%04X", static_cast<unsigned>(cp));
            line("E", key, bytes);
        }
    }
    iconv_close(decode);
    iconv_close(encode);
    return std::fclose(out) == 0 ? 0 : 1;
}
