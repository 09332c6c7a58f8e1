#pragma once
// Horizontal placement of a control's text, as the settings and dialogs name it.

#include <Qt>

namespace kelmora {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

inline Qt::Alignment toQtHorizontal(TAlignment a) {
    switch (a) {
        case taRightJustify: return Qt::AlignRight;
        case taCenter: return Qt::AlignHCenter;
        case taLeftJustify: break;
    }
    return Qt::AlignLeft;
}

}  // namespace kelmora
