// The Shift-JIS conversion equals glibc's CP932 table (made at build time by cp932_table) on every valid code and on
// every character a code decodes to, here and on Windows, where the code-page calls convert.
#include "common/Sjis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace vanto;

namespace {

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

struct Table {
    std::map<std::string, std::string> decoded; // code -> UTF-8; codes iconv refuses are not listed
    std::map<std::string, std::string> invalid; // codes iconv refuses (value unused)
    std::map<std::string, std::string> encoded; // UTF-8 character -> code
    bool loaded = false;
};

const Table& GlibcTable() {
    static const Table table = [] {
        Table t;
        const char* named = std::getenv("VANTO_SJIS_TABLE");
        const char* bin = std::getenv("VANTO_TEST_BIN");
        const std::string path = named ? named : std::string(bin ? bin : ".") + "/cp932-table.txt";
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string kind, key, value;
            fields >> kind >> key >> value;
            if (kind == "D") {
                (value == "-" ? t.invalid : t.decoded)[FromHex(key)] = FromHex(value);
            } else if (kind == "E") {
                std::string character;
                const unsigned long cp = std::stoul(key, nullptr, 16);
                if (cp < 0x80) {
                    character = std::string(1, static_cast<char>(cp));
                } else if (cp < 0x800) {
                    character = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
                } else {
                    character = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                                 static_cast<char>(0x80 | (cp & 0x3F))};
                }
                t.encoded[character] = FromHex(value);
            }
        }
        t.loaded = t.decoded.size() > 7000;
        return t;
    }();
    return table;
}

} // namespace

TEST(Cp932Table, EveryValidCodeDecodesAsGlibcDecodesIt) {
    const Table& table = GlibcTable();
    ASSERT_TRUE(table.loaded) << "cp932-table.txt is missing: build the Linux tree (target cp932_table_file)";
    int differences = 0;
    for (const auto& [code, utf8] : table.decoded) {
        const std::string shown = DecodeSjisForDisplay(code);
        EXPECT_EQ(shown, utf8) << "code " << testing::PrintToString(code);
        differences += shown != utf8;
        EXPECT_EQ(EncodeSjis(DecodeSjis(code)), code) << "code " << testing::PrintToString(code);
    }
    EXPECT_EQ(differences, 0);
    // Codes glibc refuses keep their bytes through decoding and are no text a user may type.
    for (const auto& [code, unused] : table.invalid) {
        const std::string text = DecodeSjis(code);
        EXPECT_EQ(EncodeSjis(text), code) << testing::PrintToString(code);
        EXPECT_FALSE(IsSjisText(text)) << testing::PrintToString(code);
    }
}

TEST(Cp932Table, EveryCharacterOfTheTableEncodesAsGlibcEncodesIt) {
    const Table& table = GlibcTable();
    ASSERT_TRUE(table.loaded);
    int compared = 0;
    for (const auto& [code, character] : table.decoded) {
        const auto it = table.encoded.find(character);
        ASSERT_NE(it, table.encoded.end()) << testing::PrintToString(character);
        // A character with two codes (NEC and IBM rows) is written with glibc's choice on both platforms.
        EXPECT_EQ(EncodeSjis(character), it->second) << testing::PrintToString(character);
        EXPECT_TRUE(IsSjisText(character));
        ++compared;
    }
    EXPECT_GT(compared, 7000);
}
