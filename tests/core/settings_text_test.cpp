#include "settei/settings_text.h"

#include <gtest/gtest.h>

#include <set>

namespace kelmora {
namespace {

namespace text = settings_text;

TEST(SettingsText, Integers) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"100", 100},          {"-3", -3},         {"+5", 5},          {"0", 0},
        {"0x10", 16},          {"0X1f", 31},       {"0x", std::nullopt}, {"0X", std::nullopt},
        {"$10", 16},           {"$ff", 255},       {"$", std::nullopt},  {"$FFFFFFFF", -1},
        {"$80000005", static_cast<std::int32_t>(0x80000005u)},          {"$123456789", std::nullopt},
        // Leading zeros beyond eight digits count for nothing; a ninth digit does.
        {"$0000000FF", 255},   {"0x00000000010", 16}, {"$000000000", 0}, {"$0123456789", std::nullopt},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},         {"2147483648", std::nullopt},
        {"", std::nullopt},    {"abc", std::nullopt}, {"12a", std::nullopt}, {"1 2", std::nullopt},
        {"+-1", std::nullopt}, {"0x1g", std::nullopt}, {"x10", std::nullopt}, {"$-1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(text::parseInteger(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(text::formatInteger(-3), "-3");
    EXPECT_EQ(text::formatInteger(100), "100");
}

TEST(SettingsText, BooleansReadAsIntegersAndWriteAsOneOrZero) {
    struct Case {
        const char* text;
        std::optional<bool> value;
    } cases[] = {{"1", true}, {"0", false}, {"2", true}, {"-1", true}, {"0x0", false},
                 {"$1", true}, {"yes", std::nullopt}, {"", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(text::parseBoolean(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(text::formatBoolean(*text::parseBoolean("2")), "1");
    EXPECT_EQ(text::formatBoolean(false), "0");
}

TEST(SettingsText, ColoursReadByIdentifierOrInteger) {
    struct Case {
        const char* text;
        std::optional<Colour> value;
    } cases[] = {
        {"clBlack", 0x000000},      {"clblack", 0x000000},   {"CLBLACK", 0x000000},
        {"$000000FF", 0x0000FF},    {"255", 0x0000FF},       {"0xFF", 0x0000FF},
        {"clTeal", 0x808000},       {"clgray", 0x808080},    {"clBtnFace", kSystemButtonFace},
        {"clInfoBk", kSystemInfoBackground}, {"clNone", kNoColour}, {"$00FFFF80", 0xFFFF80},
        {"clPink", std::nullopt},   {"", std::nullopt},      {"red", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(text::parseColour(c.text), c.value) << '"' << c.text << '"';
}

TEST(SettingsText, ColoursWriteAsIdentifierElseDollarAndEightDigits) {
    struct Case {
        Colour value;
        const char* text;
    } cases[] = {
        {0x0000FF, "clRed"},         {0x000000, "clBlack"},      {rgb(1, 2, 3), "$00030201"},
        {0xFFFF80, "$00FFFF80"},     {0x8080FF, "$008080FF"},    {kSystemButtonFace, "clBtnFace"},
        {kSystemColourBit | 25, "$80000019"}, {kNoColour, "clNone"}, {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const Case& c : cases) EXPECT_EQ(text::formatColour(c.value), c.text) << std::hex << c.value;
}

TEST(SettingsText, EveryIdentifierRoundTrips) {
    const auto table = text::colourIdentifiers();
    ASSERT_EQ(table.size(), 42u);
    std::set<Colour> values;
    for (const auto& entry : table) {
        EXPECT_EQ(text::parseColour(entry.name), entry.value) << entry.name;
        EXPECT_EQ(text::formatColour(entry.value), entry.name);
        values.insert(entry.value);
    }
    // The 25 system colours run 0x80000000 to 0x80000018 in index order.
    EXPECT_EQ(table[16].name, "clScrollBar");
    EXPECT_EQ(table[16].value, kSystemColourBit);
    EXPECT_EQ(table[40].name, "clInfoBk");
    EXPECT_EQ(table[40].value, kSystemColourBit | 24);
    EXPECT_EQ(values.size(), table.size());
}

}  // namespace
}  // namespace kelmora
