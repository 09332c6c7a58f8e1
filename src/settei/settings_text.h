#pragma once
// How a setting is spelled in the settings file: integers, flags, colours.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "main/colour.h"

namespace kelmora::settings_text {

// Decimal with an optional sign, or hexadecimal after "$" or after "0x"/"0X"
// (the latter only in a text longer than 2 characters). Hexadecimal takes up
// to 8 significant digits after any leading zeros ("$0000000FF" is 255),
// "$FFFFFFFF" being -1. Nothing for any other text.
std::optional<std::int32_t> parseInteger(std::string_view text);
std::string formatInteger(std::int32_t value);

// An integer, true when not zero; written "1" or "0".
std::optional<bool> parseBoolean(std::string_view text);
std::string formatBoolean(bool value);

// A colour identifier of the table (any case) or an integer.
std::optional<Colour> parseColour(std::string_view text);
// The first identifier of the table with this value, otherwise "$" and 8
// upper-case hexadecimal digits.
std::string formatColour(Colour value);

struct NamedColour {
    std::string_view name;
    Colour value;
};
// The 16 basic colours, the 25 system colours in index order, then clNone.
std::span<const NamedColour> colourIdentifiers();

}  // namespace kelmora::settings_text
