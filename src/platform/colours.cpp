#include "platform/colours.h"

#include <QApplication>
#include <QPalette>

namespace kelmora {

QColor toQColor(Colour colour) {
    if ((colour & kSystemColourBit) == 0) {
        if (colour == kNoColour) return QColor(Qt::transparent);
        return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
    // The system colours in index order, as the nearest palette roles.
    static constexpr QPalette::ColorRole kRoles[25] = {
        QPalette::Button,      QPalette::Window,          QPalette::Highlight,   QPalette::Mid,
        QPalette::Window,      QPalette::Base,            QPalette::Shadow,      QPalette::WindowText,
        QPalette::Text,        QPalette::HighlightedText, QPalette::Button,      QPalette::Button,
        QPalette::Mid,         QPalette::Highlight,       QPalette::HighlightedText, QPalette::Button,
        QPalette::Dark,        QPalette::PlaceholderText, QPalette::ButtonText,  QPalette::WindowText,
        QPalette::Light,       QPalette::Shadow,          QPalette::Midlight,    QPalette::ToolTipText,
        QPalette::ToolTipBase,
    };
    const unsigned index = colour & 0xFF;
    if (index >= 25) return QColor(Qt::black);
    return QApplication::palette().color(QPalette::Active, kRoles[index]);
}

Colour fromQColor(const QColor& colour) {
    return rgb(static_cast<unsigned>(colour.red()), static_cast<unsigned>(colour.green()),
               static_cast<unsigned>(colour.blue()));
}

}  // namespace kelmora
