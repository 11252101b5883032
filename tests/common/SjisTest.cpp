#include "common/Sjis.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace vanto;

namespace {
std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

bool IsTrailByte(int b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}
} // namespace

TEST(Sjis, EveryDoubleByteCharacterRoundTrips) {
    int characters = 0;
    std::set<int> changedLeads;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrailByte(trail)) {
                continue;
            }
            const std::string code = Bytes({lead, trail});
            // Every code comes back as the same bytes, characters and unassigned codes alike.
            EXPECT_EQ(EncodeSjis(DecodeSjis(code)), code) << std::hex << lead << trail;
            const std::string text = DecodeSjisForDisplay(code);
            if (!IsSjisText(text)) {
                continue;
            }
            ++characters;
            const auto encoded = EncodeSjis(text);
            ASSERT_TRUE(encoded.has_value()) << std::hex << lead << trail;
            // Some characters have two codes (NEC and IBM extensions): shown as the character, written as the
            // preferred code; the lossless decode keeps the other code as it is.
            if (*encoded != code) {
                changedLeads.insert(lead);
                EXPECT_FALSE(IsSjisText(DecodeSjis(code))) << std::hex << lead << trail;
            } else {
                EXPECT_EQ(DecodeSjis(code), text);
            }
        }
    }
    EXPECT_GE(characters, 7900);
    for (int lead : changedLeads) {
        EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA) << std::hex << lead;
    }
}

TEST(Sjis, PrintableSingleBytesAndHalfWidthKatakana) {
    for (int b = 0x20; b <= 0x7E; ++b) {
        const std::string code = Bytes({b});
        EXPECT_EQ(DecodeSjis(code), code);
    }
    EXPECT_EQ(DecodeSjis(Bytes({0xB1, 0xB2, 0xB3, 0xDF})), "ｱｲｳﾟ");
    EXPECT_EQ(EncodeSjis("ﾓﾆﾀ.DT"), Bytes({0xD3, 0xC6, 0xC0, '.', 'D', 'T'}));
    for (int b = 0xA1; b <= 0xDF; ++b) {
        const std::string code = Bytes({b});
        EXPECT_EQ(EncodeSjis(DecodeSjis(code)), code);
        EXPECT_TRUE(IsSjisText(DecodeSjis(code)));
    }
}

TEST(Sjis, SecondByte5CIsPartOfTheCharacter) {
    // ソ, 表 and 能 end in the byte of the backslash.
    const std::string bytes = Bytes({0x83, 0x5C, 0x95, 0x5C, 0x94, 0x5C});
    EXPECT_EQ(DecodeSjis(bytes), "ソ表能");
    EXPECT_EQ(EncodeSjis("ソ表能"), bytes);
    EXPECT_EQ(DecodeSjis("\\"), "\\");
}

TEST(Sjis, DamagedBytesSurviveDecodeAndEncode) {
    std::mt19937 random(42);
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 40);
        while (static_cast<int>(bytes.size()) < length) {
            bytes += static_cast<char>(random() & 0xFF);
        }
        const std::string text = DecodeSjis(bytes);
        ASSERT_EQ(EncodeSjis(text), bytes);
    }
    // A lone lead byte at the end, undefined single bytes, a lead byte with a bad second byte, and the NEC-selected
    // code of a small roman numeral that CP932 writes as FA47 (found by the fuzzer).
    for (const std::string& bytes : {Bytes({'A', 0x81}), Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}), Bytes({0x81, 0x20}),
                                     Bytes({0xEE, 0xF6, 0x9E, 0x0A})}) {
        const std::string text = DecodeSjis(bytes);
        EXPECT_FALSE(IsSjisText(text));
        EXPECT_EQ(EncodeSjis(text), bytes);
    }
}

// The converter writes these with the bytes of another character (〜 as ～, ¢ as ￠): stored, they would come back
// changed, so a name typed with them would differ between the list and its folder. They are refused.
TEST(Sjis, CharactersThatWouldComeBackChangedAreRefused) {
    for (const char* text : {"〜", "‖", "¢", "£", "¬"}) {
        EXPECT_FALSE(EncodeSjis(text).has_value()) << text;
        EXPECT_FALSE(IsSjisText(text)) << text;
        EXPECT_EQ(EncodeSjisLossy(std::string("a") + text + "b"), "a?b") << text;
    }
    EXPECT_EQ(EncodeSjis("～￠"), Bytes({0x81, 0x60, 0x81, 0x91}));
}

TEST(Sjis, TextThatCannotBeStored) {
    EXPECT_TRUE(IsSjisText("山田 太郎 03-1234"));
    EXPECT_TRUE(IsSjisText(""));
    EXPECT_FALSE(IsSjisText("😀"));
    EXPECT_FALSE(IsSjisText("한국"));
    EXPECT_FALSE(IsSjisText("\xEF\x9E\x80")); // an escape character is no character a user may type
    EXPECT_FALSE(IsSjisText("\xC3"));         // broken UTF-8
    EXPECT_EQ(EncodeSjis("A😀"), std::nullopt);
    EXPECT_EQ(EncodeSjisLossy("A😀B"), "A?B");
    EXPECT_EQ(SjisLength("山田A"), 5u);
    EXPECT_EQ(SjisLength("ｱｲ"), 2u);
}
