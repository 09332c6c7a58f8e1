#pragma once
// The face the small dialogs are drawn in, at a size given in pixels.

#include <QFont>
#include <QString>

namespace kelmora {

inline QFont dialogFont(int pixelSize, bool bold = false, bool italic = false) {
    QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace kelmora
