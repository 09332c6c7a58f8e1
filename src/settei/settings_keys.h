#pragma once
// Every key of the settings file "kelmora.ini": its section and name, its
// default as the file spells it, and the setting it fills. This table is the
// one place keys and defaults are written down; the loader, the writers,
// defaultSettings() and kelmora-tool all work from it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settei/settings.h"

namespace kelmora {

// One flag of a font style byte, kept under a boolean key of its own.
struct StyleFlag {
    std::uint8_t* style;
    std::uint8_t flag;
};

// Where a key's value lives in the settings; the alternative gives its kind:
// integer, boolean, string (CP932), colour, a 16-bit count, a style flag.
using SettingField = std::variant<std::int32_t*, bool*, std::string*, Colour*, std::uint16_t*, StyleFlag>;

struct SettingKey {
    const char* section;
    const char* key;
    // As the file spells it; a string in UTF-8. Null: the key is never read.
    const char* defaultText;
    // Null: a key the settings do not hold (written as given).
    SettingField (*field)(Settings&);
};

namespace key {

#define SETTING_FIELD(path) [](Settings& s) -> SettingField { return &s.path; }
#define SETTING_STYLE_FLAG(style, flag) [](Settings& s) -> SettingField { return StyleFlag{&s.style, flag}; }

// "form": the window, the toolbar, the focus frame, tray residence, week start.
inline constexpr SettingKey form_toolbar{"form", "toolbar", "1", SETTING_FIELD(toolbar)};
inline constexpr SettingKey form_focus{"form", "focus", "1", SETTING_FIELD(focusFrame)};
inline constexpr SettingKey form_top{"form", "top", "10", SETTING_FIELD(top)};
inline constexpr SettingKey form_left{"form", "left", "10", SETTING_FIELD(left)};
inline constexpr SettingKey form_jouchuu{"form", "jouchuu", "0", SETTING_FIELD(trayResidence)};
inline constexpr SettingKey form_mon_start{"form", "mon_start", "0", SETTING_FIELD(mondayStart)};

// "nen": the year/month title and the window colour round it.
inline constexpr SettingKey nen_fontsize{"nen", "fontsize", "16", SETTING_FIELD(title.size)};
inline constexpr SettingKey nen_fontname{"nen", "fontname", "ＭＳ Ｐ明朝", SETTING_FIELD(title.name)};
inline constexpr SettingKey nen_fontcolor{"nen", "fontcolor", "clblack", SETTING_FIELD(title.colour)};
inline constexpr SettingKey nen_stylebold{"nen", "stylebold", "1", SETTING_STYLE_FLAG(title.style, StyleBold)};
inline constexpr SettingKey nen_styleitalic{"nen", "styleitalic", "1", SETTING_STYLE_FLAG(title.style, StyleItalic)};
inline constexpr SettingKey nen_styleuline{"nen", "styleuline", "0", SETTING_STYLE_FLAG(title.style, StyleUnderline)};
inline constexpr SettingKey nen_stylesout{"nen", "stylesout", "0", SETTING_STYLE_FLAG(title.style, StyleStrikeOut)};
inline constexpr SettingKey nen_yohakucolor{"nen", "yohakucolor", "$00FFFF80", SETTING_FIELD(windowColour)};

// "youbi": the weekday header band.
inline constexpr SettingKey youbi_bkcolor1{"youbi", "bkcolor1", "clred", SETTING_FIELD(header.bkcolor1)};
inline constexpr SettingKey youbi_bkcolor2{"youbi", "bkcolor2", "clTeal", SETTING_FIELD(header.bkcolor2)};
inline constexpr SettingKey youbi_fontsize{"youbi", "fontsize", "9", SETTING_FIELD(header.font.size)};
inline constexpr SettingKey youbi_fontname{"youbi", "fontname", "ＭＳ Ｐゴシック", SETTING_FIELD(header.font.name)};
inline constexpr SettingKey youbi_fontcolor1{"youbi", "fontcolor1", "clblack", SETTING_FIELD(header.font.colour1)};
inline constexpr SettingKey youbi_fontcolor2{"youbi", "fontcolor2", "clblack", SETTING_FIELD(header.font.colour2)};
inline constexpr SettingKey youbi_stylebold{"youbi", "stylebold", "1", SETTING_STYLE_FLAG(header.font.style, StyleBold)};
inline constexpr SettingKey youbi_styleitalic{"youbi", "styleitalic", "0", SETTING_STYLE_FLAG(header.font.style, StyleItalic)};
inline constexpr SettingKey youbi_styleuline{"youbi", "styleuline", "0", SETTING_STYLE_FLAG(header.font.style, StyleUnderline)};
inline constexpr SettingKey youbi_stylesout{"youbi", "stylesout", "0", SETTING_STYLE_FLAG(header.font.style, StyleStrikeOut)};
inline constexpr SettingKey youbi_textpos{"youbi", "textpos", "1", SETTING_FIELD(header.textpos)};

// "day": the date band.
inline constexpr SettingKey day_bkrinsetu{"day", "bkrinsetu", "clgray", SETTING_FIELD(date.bkrinsetu)};
inline constexpr SettingKey day_bkcolor1{"day", "bkcolor1", "$008080FF", SETTING_FIELD(date.bkcolor1)};
inline constexpr SettingKey day_bkcolor2{"day", "bkcolor2", "$0080FF80", SETTING_FIELD(date.bkcolor2)};
inline constexpr SettingKey day_fontsize{"day", "fontsize", "9", SETTING_FIELD(date.font.size)};
inline constexpr SettingKey day_fontname{"day", "fontname", "ＭＳ Ｐゴシック", SETTING_FIELD(date.font.name)};
inline constexpr SettingKey day_fontcolor1{"day", "fontcolor1", "clblack", SETTING_FIELD(date.font.colour1)};
inline constexpr SettingKey day_fontcolor2{"day", "fontcolor2", "clblack", SETTING_FIELD(date.font.colour2)};
inline constexpr SettingKey day_stylebold{"day", "stylebold", "1", SETTING_STYLE_FLAG(date.font.style, StyleBold)};
inline constexpr SettingKey day_styleitalic{"day", "styleitalic", "0", SETTING_STYLE_FLAG(date.font.style, StyleItalic)};
inline constexpr SettingKey day_styleuline{"day", "styleuline", "0", SETTING_STYLE_FLAG(date.font.style, StyleUnderline)};
inline constexpr SettingKey day_stylesout{"day", "stylesout", "0", SETTING_STYLE_FLAG(date.font.style, StyleStrikeOut)};
inline constexpr SettingKey day_textpos{"day", "textpos", "0", SETTING_FIELD(date.textpos)};
inline constexpr SettingKey day_holiname{"day", "holiname", "1", SETTING_FIELD(date.holiname)};
// The almanac beside the date, ticked in the view menu and stored at once.
inline constexpr SettingKey day_rokuyo{"day", "rokuyo", "0", SETTING_FIELD(rokuyo)};
inline constexpr SettingKey day_sekki{"day", "sekki", "0", SETTING_FIELD(sekki)};

// "memo": the memo band.
inline constexpr SettingKey memo_width{"memo", "width", "100", SETTING_FIELD(memo.width)};
inline constexpr SettingKey memo_height{"memo", "height", "60", SETTING_FIELD(memo.height)};
inline constexpr SettingKey memo_bkrinsetu{"memo", "bkrinsetu", "clwhite", SETTING_FIELD(memo.bkrinsetu)};
inline constexpr SettingKey memo_bkcolor1{"memo", "bkcolor1", "clwhite", SETTING_FIELD(memo.bkcolor1)};
inline constexpr SettingKey memo_bkcolor2{"memo", "bkcolor2", "clwhite", SETTING_FIELD(memo.bkcolor2)};
inline constexpr SettingKey memo_fontsize{"memo", "fontsize", "9", SETTING_FIELD(memo.font.size)};
inline constexpr SettingKey memo_fontname{"memo", "fontname", "ＭＳ Ｐゴシック", SETTING_FIELD(memo.font.name)};
inline constexpr SettingKey memo_fontrinsetucolor{"memo", "fontrinsetucolor", "clblack", SETTING_FIELD(memo.font.colour3)};
inline constexpr SettingKey memo_fontcolor1{"memo", "fontcolor1", "clred", SETTING_FIELD(memo.font.colour1)};
inline constexpr SettingKey memo_fontcolor2{"memo", "fontcolor2", "clblack", SETTING_FIELD(memo.font.colour2)};
inline constexpr SettingKey memo_stylebold{"memo", "stylebold", "0", SETTING_STYLE_FLAG(memo.font.style, StyleBold)};
inline constexpr SettingKey memo_styleitalic{"memo", "styleitalic", "0", SETTING_STYLE_FLAG(memo.font.style, StyleItalic)};
inline constexpr SettingKey memo_styleuline{"memo", "styleuline", "0", SETTING_STYLE_FLAG(memo.font.style, StyleUnderline)};
inline constexpr SettingKey memo_stylesout{"memo", "stylesout", "0", SETTING_STYLE_FLAG(memo.font.style, StyleStrikeOut)};

// "today": the today mark, and the arrows' colour kept beside it.
inline constexpr SettingKey today_flag{"today", "flag", "1", SETTING_FIELD(todayMark)};
inline constexpr SettingKey today_color{"today", "color", "clblue", SETTING_FIELD(todayColour)};
inline constexpr SettingKey today_yjcolor{"today", "yjcolor", "clgreen", SETTING_FIELD(arrowColour)};

// "weekholi": the weekly days off, key = weekday (0 Sunday .. 6 Saturday).
inline constexpr SettingKey weekholi_0{"weekholi", "0", "1", SETTING_FIELD(weeklyHolidays[0])};
inline constexpr SettingKey weekholi_1{"weekholi", "1", "0", SETTING_FIELD(weeklyHolidays[1])};
inline constexpr SettingKey weekholi_2{"weekholi", "2", "0", SETTING_FIELD(weeklyHolidays[2])};
inline constexpr SettingKey weekholi_3{"weekholi", "3", "0", SETTING_FIELD(weeklyHolidays[3])};
inline constexpr SettingKey weekholi_4{"weekholi", "4", "0", SETTING_FIELD(weeklyHolidays[4])};
inline constexpr SettingKey weekholi_5{"weekholi", "5", "0", SETTING_FIELD(weeklyHolidays[5])};
inline constexpr SettingKey weekholi_6{"weekholi", "6", "0", SETTING_FIELD(weeklyHolidays[6])};

// "delfile": deleting old month files; "exe" is the date the shopping link
// was last used, written at close and never read.
inline constexpr SettingKey delfile_flag{"delfile", "flag", "0", SETTING_FIELD(deleteOldFiles)};
inline constexpr SettingKey delfile_month{"delfile", "month", "1", SETTING_FIELD(keepMonths)};
inline constexpr SettingKey delfile_warning{"delfile", "warning", "1", SETTING_FIELD(deleteWarning)};
inline constexpr SettingKey delfile_exe{"delfile", "exe", nullptr, nullptr};

// "print": page margins in millimetres.
inline constexpr SettingKey print_top{"print", "top", "2", SETTING_FIELD(printTop)};
inline constexpr SettingKey print_left{"print", "left", "3", SETTING_FIELD(printLeft)};
inline constexpr SettingKey print_right{"print", "right", "3", SETTING_FIELD(printRight)};

#undef SETTING_FIELD
#undef SETTING_STYLE_FLAG

}  // namespace key

using SettingKeyList = std::span<const SettingKey* const>;

// Every key the calendar reads at start, in the order it reads them.
SettingKeyList settingsLoadOrder();
// The keys the settings dialog's OK writes, in its order.
SettingKeyList dialogWriteOrder();
// The keys the conversion of the legacy settings file writes, in its order.
SettingKeyList migrationWriteOrder();

// The key's value in `settings` as the file spells it (CP932).
std::string settingText(const SettingKey& key, const Settings& settings);
// Takes a value as read from the file; false (the setting untouched) when
// the text is not of the key's kind.
bool setSettingFromText(const SettingKey& key, Settings& settings, std::string_view text);

}  // namespace kelmora
