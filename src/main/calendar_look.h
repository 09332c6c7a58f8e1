#pragma once
// The calendar's look resolved from the settings for one pixel density: the
// fonts of the bands and the sizes that follow from them. The grid, the
// in-cell editor and the printed page all take their fonts and colours from
// here, so a memo cell has one look wherever it is drawn.

#include <QFont>

#include "main/month_model.h"
#include "settei/settings.h"

namespace kelmora {

// A band's font choice as a Qt font.
QFont fontOf(const Tfontset& font);
QFont titleFontOf(const TitleFont& font);
// A holiday's name: the date font one point smaller, without style.
QFont holidayNameFontOf(const Tfontset& dateFont);

// The height of a row of text in a band: ⌊PPI × size / 72⌋ + 5.
int fontRowHeight(int ppi, int pointSize);

// The background and text colour of a memo cell when it is not selected:
// the band's colour for a holiday, a working day or a day of a neighbouring
// month, then the cell's own colours.
struct MemoCellColours {
    Colour back, text;
};
MemoCellColours memoCellColours(const MonthModel& model, const Settings& settings, int col, int week);

struct CalendarLook {
    Settings settings;
    int ppi = 96;
    QFont headerFont, dateFont, memoFont;
    QFont holidayNameFont;  // the date font one point smaller, without style
    // Memo lines are broken this many pixels wide; an italic font keeps a
    // little room at the right for its slant.
    int memoTextPad = 0;
    int memoTextWidth = 0;
    // Half the height of a memo's first line: the arrows run at this height.
    int arrowHalf = 0;

    static CalendarLook from(const Settings& settings, int ppi);
};

}  // namespace kelmora
