#include "main/cp932.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kelmora {
namespace {

TEST(Cp932, EveryDoubleByteCharacterRoundTrips) {
    for (cp932::Spelling spelling : {cp932::Spelling::Windows, cp932::Spelling::Jis}) {
        int characters = 0;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!cp932::isLeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
                const std::u16string text = cp932::toUtf16(bytes, spelling);
                if (text == u"\uFFFD" || text.size() != 1) continue;
                auto back = cp932::fromUtf16(text);
                ASSERT_TRUE(back.has_value()) << std::hex << lead << trail;
                // A character with several codes comes back as its preferred
                // one, which decodes to the same character.
                EXPECT_EQ(cp932::toUtf16(*back, spelling), text) << std::hex << lead << trail;
                ++characters;
            }
        }
        EXPECT_GT(characters, 9000);
    }
}

TEST(Cp932, PreferredCodesForDuplicatedCharacters) {
    struct Case {
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {u"\u2252", "\x81\xE0"},  // ≒ is in JIS row 2 and NEC row 13: JIS wins
        {u"\u2160", "\x87\x54"},  // Ⅰ NEC row 13 before the IBM rows
        {u"\u2170", "\xFA\x40"},  // ⅰ IBM rows before the NEC-selected copy
        {u"\u7E8A", "\xFA\x5C"},  // 纊 likewise
        {u"\uFFE2", "\x81\xCA"},  // ￢
    };
    for (const auto& c : cases) EXPECT_EQ(cp932::fromUtf16(c.text), c.bytes);
}

// Both spellings are stored as the one code; each spelling reads back as itself.
TEST(Cp932, TheSevenCharactersOfTwoSpellings) {
    struct Case {
        char16_t jis;
        char16_t windows;
        const char* bytes;
    };
    const Case cases[] = {
        {u'\u301C', u'\uFF5E', "\x81\x60"}, {u'\u2016', u'\u2225', "\x81\x61"}, {u'\u2212', u'\uFF0D', "\x81\x7C"},
        {u'\u2014', u'\u2015', "\x81\x5C"}, {u'\u00A2', u'\uFFE0', "\x81\x91"}, {u'\u00A3', u'\uFFE1', "\x81\x92"},
        {u'\u00AC', u'\uFFE2', "\x81\xCA"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::fromUtf16(std::u16string(1, c.jis)), c.bytes);
        EXPECT_EQ(cp932::fromUtf16(std::u16string(1, c.windows)), c.bytes);
        EXPECT_EQ(cp932::toUtf16(c.bytes, cp932::Spelling::Windows), std::u16string(1, c.windows));
        EXPECT_EQ(cp932::toUtf16(c.bytes, cp932::Spelling::Jis), std::u16string(1, c.jis));
    }
    // The IBM-row copies of ￢ read like the JIS-row one.
    EXPECT_EQ(cp932::toUtf16("\xEE\xF9\xFA\x54", cp932::Spelling::Jis), u"\u00AC\u00AC");
}

TEST(Cp932, MixedTextBothWays) {
    const std::string utf8 = "会議 10:00〜\r\nﾃｽﾄ①";
    auto bytes = cp932::fromUtf8(utf8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "\x89\xEF\x8B\x63 10:00\x81\x60\r\n\xC3\xBD\xC4\x87\x40");
    EXPECT_EQ(cp932::toUtf8(*bytes, cp932::Spelling::Jis), utf8);
    EXPECT_EQ(cp932::toUtf8(*bytes, cp932::Spelling::Windows), "会議 10:00～\r\nﾃｽﾄ①");
}

// What is stored reads back as itself, over all of Unicode: no character is
// ever kept as a look-alike. The only characters that read back otherwise
// are the other spelling of the seven characters of two spellings, which
// is the same CP932 character.
TEST(Cp932, NoCharacterIsStoredAsAnother) {
    const std::u32string otherSpelling = cp932::kSystemSpelling == cp932::Spelling::Jis
                                             ? U"\uFF5E\u2225\uFF0D\u2015\uFFE0\uFFE1\uFFE2"
                                             : U"\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC";
    int stored = 0;
    for (char32_t ch = 1; ch <= 0x10FFFF; ++ch) {
        if (ch >= 0xD800 && ch <= 0xDFFF) continue;
        std::u16string text;
        if (ch < 0x10000) {
            text.push_back(static_cast<char16_t>(ch));
        } else {
            text.push_back(static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF)));
        }
        char32_t refused = 0;
        const std::optional<std::string> bytes = cp932::fromUtf16(text, &refused);
        if (!bytes) {
            ASSERT_EQ(refused, ch);
            continue;
        }
        ++stored;
        if (cp932::toUtf16(*bytes) == text) continue;
        EXPECT_NE(otherSpelling.find(ch), std::u32string::npos) << "U+" << std::hex << unsigned(ch) << " reads back as another";
    }
    EXPECT_GT(stored, 9000);
}

// Characters an input method's candidates offer that CP932 has no code for,
// though other converters store a look-alike (‾ as ￣, ¥ as \, ¦ as ￤, · as
// ・); and emoji, characters beyond the BMP, Hangul, Latin letters with marks.
TEST(Cp932, CharactersOutsideTheCodePageAreRefusedAndNamed) {
    struct Case {
        const char* text;
        char32_t refused;
    };
    const Case cases[] = {
        {"10\u203E", U'\u203E'}, {"\u00A5100", U'\u00A5'}, {"a\u00A6b", U'\u00A6'}, {"\u00B7", U'\u00B7'},
        {"\u2122", U'\u2122'},    {"\u32FF", U'\u32FF'},    {"予定😀", U'\U0001F600'}, {"𠮷野家", U'\U00020BB7'},
        {"한국", U'\uD55C'},       {"\u00E9t\u00E9", U'\u00E9'}, {"か\u309A", U'\u309A'},
    };
    for (const Case& c : cases) {
        char32_t bad = 0;
        EXPECT_FALSE(cp932::fromUtf8(c.text, &bad).has_value()) << c.text;
        EXPECT_EQ(bad, c.refused) << c.text;
    }
}

TEST(Cp932, UserDefinedAreaAndOddBytesSurviveARoundTrip) {
    const std::string bytes = "\xF0\x40\xF9\xFC\x80\xA0\xFD";
    auto back = cp932::fromUtf16(cp932::toUtf16(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, bytes);
}

TEST(Cp932, BrokenSequencesDecodeToReplacementCharacters) {
    EXPECT_EQ(cp932::toUtf16("a\x82"), u"a\uFFFD");            // lead byte at the end
    EXPECT_EQ(cp932::toUtf16("\x82\x0D\x0A"), u"\uFFFD\r\n");  // no trail byte: the next byte is kept
}

TEST(Cp932, ClippingNeverSplitsADoubleByteCharacter) {
    const std::string text = "ab\x82\xA0\x82\xA2";  // "abあい"
    struct Case {
        std::size_t limit, expected;
    };
    for (auto c : {Case{0, 0}, Case{2, 2}, Case{3, 2}, Case{4, 4}, Case{5, 4}, Case{6, 6}, Case{99, 6}})
        EXPECT_EQ(cp932::clippedLength(text, c.limit), c.expected) << c.limit;
}

}  // namespace
}  // namespace kelmora
