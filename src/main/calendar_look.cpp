#include "main/calendar_look.h"

#include "platform/qt_text.h"

namespace kelmora {
namespace {

// Room an italic memo font keeps at the right of its lines.
int italicPad(const Tfontset& font) {
    if (!(font.style & StyleItalic)) return 0;
    return font.size <= 10 ? 4 : font.size <= 15 ? 5 : 7;
}

}  // namespace

QFont fontOf(const Tfontset& f) {
    QFont font(toQString(f.name));
    font.setPointSize(std::max(1, f.size));
    font.setBold(f.style & StyleBold);
    font.setItalic(f.style & StyleItalic);
    font.setUnderline(f.style & StyleUnderline);
    font.setStrikeOut(f.style & StyleStrikeOut);
    return font;
}

QFont titleFontOf(const TitleFont& t) { return fontOf(Tfontset{t.size, t.name, t.style, 0, 0, 0}); }

QFont holidayNameFontOf(const Tfontset& d) { return fontOf(Tfontset{d.size - 1, d.name, 0, 0, 0, 0}); }

int fontRowHeight(int ppi, int pointSize) { return ppi * pointSize / 72 + 5; }

MemoCellColours memoCellColours(const MonthModel& model, const Settings& settings, int col, int week) {
    const Tdaycell& day = model.cells[col][week];
    const Tmemocell& memo = model.memos[col][week];
    MemoCellColours c;
    if (day.holiday) c = {settings.memo.bkcolor1, settings.memo.font.colour1};
    else if (day.day != 0) c = {settings.memo.bkcolor2, settings.memo.font.colour2};
    else c = {settings.memo.bkrinsetu, settings.memo.font.colour3};
    if (memo.hasBackColor) c.back = memo.backColor;
    if (memo.hasFontColor) c.text = memo.fontColor;
    return c;
}

CalendarLook CalendarLook::from(const Settings& settings, int ppi) {
    CalendarLook look;
    look.settings = settings;
    look.ppi = ppi;
    look.headerFont = fontOf(settings.header.font);
    look.dateFont = fontOf(settings.date.font);
    look.memoFont = fontOf(settings.memo.font);
    look.holidayNameFont = holidayNameFontOf(settings.date.font);
    look.memoTextPad = italicPad(settings.memo.font);
    look.memoTextWidth = settings.memo.width - 5 - look.memoTextPad;
    look.arrowHalf = fontRowHeight(ppi, settings.memo.font.size) / 2;
    return look;
}

}  // namespace kelmora
