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

// A band's text position in its cells: 0 left, 1 centre, 2 right; any
// other value is taken as left.
inline Qt::Alignment alignmentOfTextPosition(int textpos) {
    switch (textpos) {
        case 1: return Qt::AlignHCenter;
        case 2: return Qt::AlignRight;
        default: return Qt::AlignLeft;
    }
}

// The side of a date cell a holiday's name takes, at the bottom: opposite a
// date on the left, else on the left.
inline Qt::Alignment holidayNameSide(int textpos) { return textpos == 0 ? Qt::AlignRight : Qt::AlignLeft; }

}  // namespace kelmora
