#pragma once
// Every setting of the calendar as the program holds it. The defaults of a
// calendar started without a settings file come from the table of keys
// (defaultSettings()); a field no key fills stays zero.

#include <array>
#include <cstdint>
#include <string>

#include "main/colour.h"

namespace kelmora {

// One font choice of a band of cells.
struct Tfontset {
    std::int32_t size = 0;
    std::string name;         // CP932 face name
    std::uint8_t style = 0;   // FontStyle flags
    Colour colour1 = 0;       // text in holiday cells
    Colour colour2 = 0;       // text in weekday cells
    Colour colour3 = 0;       // text in adjacent-month cells (memo band only)
    bool operator==(const Tfontset&) const = default;
};

// A band of day cells: the weekday header ("youbi") or the date rows ("day").
struct Tdayran {
    Colour bkrinsetu = 0;  // adjacent-month background (date band only)
    Colour bkcolor1 = 0;   // holiday background
    Colour bkcolor2 = 0;   // weekday background
    Tfontset font;
    std::int32_t textpos = 0;  // 0 left, 1 centre, 2 right
    bool holiname = false;     // show holiday names (date band only)
    bool operator==(const Tdayran&) const = default;
};

// The memo rows ("memo").
struct Tmemoran {
    std::int32_t width = 0;   // every column's width, pixels
    std::int32_t height = 0;  // least height of a memo row, pixels
    Colour bkrinsetu = 0;
    Colour bkcolor1 = 0;
    Colour bkcolor2 = 0;
    Tfontset font;
    bool operator==(const Tmemoran&) const = default;
};

// The year/month title's font.
struct TitleFont {
    std::int32_t size = 0;
    std::string name;
    Colour colour = 0;
    std::uint8_t style = 0;
    bool operator==(const TitleFont&) const = default;
};

struct Settings {
    // "form"
    bool toolbar = false;
    bool focusFrame = false;
    std::int32_t top = 0;
    std::int32_t left = 0;
    bool trayResidence = false;  // "jouchuu"
    bool mondayStart = false;    // "mon_start"
    // "nen"
    TitleFont title;
    Colour windowColour = 0;  // "yohakucolor"
    // "youbi", "day", "memo"
    Tdayran header;
    Tdayran date;
    Tmemoran memo;
    // "day": the almanac in the date cells, ticked in the view menu
    bool rokuyo = false;  // "rokuyo": 六曜
    bool sekki = false;   // "sekki": the 24 solar terms (二十四節気)
    // "today"
    bool todayMark = false;
    Colour todayColour = 0;
    Colour arrowColour = 0;  // "yjcolor"
    // "weekholi", index 0 = Sunday
    std::array<bool, 7> weeklyHolidays{};
    // "delfile"
    bool deleteOldFiles = false;
    std::uint16_t keepMonths = 0;  // N: files before the 1st of (this month - N) go
    bool deleteWarning = false;
    // "print", millimetres
    std::int32_t printTop = 0;
    std::int32_t printLeft = 0;
    std::int32_t printRight = 0;
    bool operator==(const Settings&) const = default;
};

// The settings of a calendar that has no settings file: every key's default
// from the table of keys (settings_keys.h).
Settings defaultSettings();

}  // namespace kelmora
