#pragma once
// Every key the calendar reads at start, in the order it reads them, each
// with the setting it fills. The loader reads the file through it and
// kelmora-tool prints through it, so both see the same table.
//
// A visitor has integer, boolean, string, colour, keepMonths and style
// members taking (section, key, field&); style's key is ignored (it stands
// for the four keys "stylebold", "styleitalic", "styleuline", "stylesout").

#include "settei/settings.h"

namespace kelmora {

template <class Visitor>
void visitSettingsInLoadOrder(Settings& s, Visitor& v) {
    v.boolean("form", "toolbar", s.toolbar);
    v.boolean("form", "focus", s.focusFrame);
    v.integer("form", "top", s.top);
    v.integer("form", "left", s.left);
    v.boolean("form", "jouchuu", s.trayResidence);
    v.boolean("form", "mon_start", s.mondayStart);

    v.integer("nen", "fontsize", s.title.size);
    v.string("nen", "fontname", s.title.name);
    v.colour("nen", "fontcolor", s.title.colour);
    v.style("nen", "", s.title.style);
    v.colour("nen", "yohakucolor", s.windowColour);

    v.colour("youbi", "bkcolor1", s.header.bkcolor1);
    v.colour("youbi", "bkcolor2", s.header.bkcolor2);
    v.integer("youbi", "fontsize", s.header.font.size);
    v.string("youbi", "fontname", s.header.font.name);
    v.colour("youbi", "fontcolor1", s.header.font.colour1);
    v.colour("youbi", "fontcolor2", s.header.font.colour2);
    v.style("youbi", "", s.header.font.style);
    v.integer("youbi", "textpos", s.header.textpos);

    v.colour("day", "bkrinsetu", s.date.bkrinsetu);
    v.colour("day", "bkcolor1", s.date.bkcolor1);
    v.colour("day", "bkcolor2", s.date.bkcolor2);
    v.integer("day", "fontsize", s.date.font.size);
    v.string("day", "fontname", s.date.font.name);
    v.colour("day", "fontcolor1", s.date.font.colour1);
    v.colour("day", "fontcolor2", s.date.font.colour2);
    v.style("day", "", s.date.font.style);
    v.integer("day", "textpos", s.date.textpos);
    v.boolean("day", "holiname", s.date.holiname);
    v.boolean("day", "rokuyo", s.rokuyo);
    v.boolean("day", "sekki", s.sekki);

    v.integer("memo", "width", s.memo.width);
    v.integer("memo", "height", s.memo.height);
    v.colour("memo", "bkrinsetu", s.memo.bkrinsetu);
    v.colour("memo", "bkcolor1", s.memo.bkcolor1);
    v.colour("memo", "bkcolor2", s.memo.bkcolor2);
    v.integer("memo", "fontsize", s.memo.font.size);
    v.string("memo", "fontname", s.memo.font.name);
    v.colour("memo", "fontrinsetucolor", s.memo.font.colour3);
    v.colour("memo", "fontcolor1", s.memo.font.colour1);
    v.colour("memo", "fontcolor2", s.memo.font.colour2);
    v.style("memo", "", s.memo.font.style);

    v.boolean("today", "flag", s.todayMark);
    v.colour("today", "color", s.todayColour);

    static constexpr const char* kWeekdayKeys[7] = {"0", "1", "2", "3", "4", "5", "6"};
    for (int day = 0; day < 7; ++day) v.boolean("weekholi", kWeekdayKeys[day], s.weeklyHolidays[day]);

    v.boolean("delfile", "flag", s.deleteOldFiles);
    v.keepMonths("delfile", "month", s.keepMonths);
    v.boolean("delfile", "warning", s.deleteWarning);

    v.colour("today", "yjcolor", s.arrowColour);

    v.integer("print", "top", s.printTop);
    v.integer("print", "left", s.printLeft);
    v.integer("print", "right", s.printRight);
}

// The four keys of a font style with their flags, in the order they are read.
struct StyleKey {
    const char* key;
    std::uint8_t flag;
};
inline constexpr StyleKey kStyleKeys[4] = {
    {"stylebold", StyleBold}, {"styleitalic", StyleItalic}, {"styleuline", StyleUnderline}, {"stylesout", StyleStrikeOut}};

}  // namespace kelmora
