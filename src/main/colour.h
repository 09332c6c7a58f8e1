#pragma once

#include <cstdint>

namespace kelmora {

// 0x00BBGGRR; 0x80000000 + n names system colour n; 0x1FFFFFFF is no colour.
using Colour = std::uint32_t;

constexpr Colour kSystemColourBit = 0x80000000u;
constexpr Colour kSystemHighlight = kSystemColourBit | 13;  // clHighlight
constexpr Colour kSystemButtonFace = kSystemColourBit | 15;  // clBtnFace
constexpr Colour kSystemInfoBackground = kSystemColourBit | 24;  // clInfoBk
constexpr Colour kNoColour = 0x1FFFFFFFu;

constexpr Colour rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

// Font style flags as the settings keep them.
enum FontStyle : std::uint8_t { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };

}  // namespace kelmora

namespace kelmora {

// The colour a frame takes when it would vanish on its own fill: each
// channel inverted, with green and blue read crossed over from the stored
// value (a system colour's code bytes are used as they are).
constexpr Colour contrastColour(Colour v) {
    return rgb(255 - (v & 0xFF), 255 - ((v >> 16) & 0xFF), 255 - ((v >> 8) & 0xFF));
}

}  // namespace kelmora
