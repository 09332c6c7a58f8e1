#include "settei/settings_text.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "settei/profile_file.h"

namespace kelmora::settings_text {
namespace {

constexpr Colour sys(unsigned index) { return kSystemColourBit | index; }

constexpr std::array<NamedColour, 42> kColourTable{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", sys(0)},
    {"clBackground", sys(1)},
    {"clActiveCaption", sys(2)},
    {"clInactiveCaption", sys(3)},
    {"clMenu", sys(4)},
    {"clWindow", sys(5)},
    {"clWindowFrame", sys(6)},
    {"clMenuText", sys(7)},
    {"clWindowText", sys(8)},
    {"clCaptionText", sys(9)},
    {"clActiveBorder", sys(10)},
    {"clInactiveBorder", sys(11)},
    {"clAppWorkSpace", sys(12)},
    {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)},
    {"clBtnFace", sys(15)},
    {"clBtnShadow", sys(16)},
    {"clGrayText", sys(17)},
    {"clBtnText", sys(18)},
    {"clInactiveCaptionText", sys(19)},
    {"clBtnHighlight", sys(20)},
    {"cl3DDkShadow", sys(21)},
    {"cl3DLight", sys(22)},
    {"clInfoText", sys(23)},
    {"clInfoBk", sys(24)},
    {"clNone", kNoColour},
}};

std::optional<std::uint32_t> parseHexDigits(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    // Leading zeros add nothing: only a value beyond 32 bits is too long.
    while (digits.size() > 8 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    const bool hexByPrefix0x = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hexByPrefix0x || (!text.empty() && text[0] == '$')) {
        auto value = parseHexDigits(text.substr(hexByPrefix0x ? 2 : 1));
        if (!value) return std::nullopt;
        return static_cast<std::int32_t>(*value);
    }
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-') return std::nullopt;
    }
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string formatInteger(std::int32_t value) { return std::to_string(value); }

std::optional<bool> parseBoolean(std::string_view text) {
    auto value = parseInteger(text);
    if (!value) return std::nullopt;
    return *value != 0;
}

std::string formatBoolean(bool value) { return value ? "1" : "0"; }

std::optional<Colour> parseColour(std::string_view text) {
    for (const NamedColour& entry : kColourTable)
        if (profileNamesEqual(text, entry.name)) return entry.value;
    auto value = parseInteger(text);
    if (!value) return std::nullopt;
    return static_cast<Colour>(*value);
}

std::string formatColour(Colour value) {
    for (const NamedColour& entry : kColourTable)
        if (entry.value == value) return std::string(entry.name);
    char text[16];
    std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(value));
    return text;
}

std::span<const NamedColour> colourIdentifiers() { return kColourTable; }

}  // namespace kelmora::settings_text
