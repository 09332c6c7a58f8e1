#include "settei/setting_font.h"

#include <algorithm>

#include "platform/qt_text.h"

namespace kelmora {

QFont settingFont(const std::string& name, int pointSize, std::uint8_t style) {
    QFont font(toQString(name));
    font.setPointSize(std::max(1, pointSize));
    font.setBold(style & StyleBold);
    font.setItalic(style & StyleItalic);
    font.setUnderline(style & StyleUnderline);
    font.setStrikeOut(style & StyleStrikeOut);
    return font;
}

std::uint8_t styleOf(const QFont& font) {
    return static_cast<std::uint8_t>((font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
                                     (font.underline() ? StyleUnderline : 0) | (font.strikeOut() ? StyleStrikeOut : 0));
}

}  // namespace kelmora
