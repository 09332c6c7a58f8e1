#include "settei/settings_file.h"

#include "main/cp932.h"
#include "settei/settings_load_order.h"
#include "settei/settings_text.h"

namespace kelmora {
namespace {

namespace text = settings_text;

// Fills each field from its key; a missing key or a text of the wrong kind
// leaves the field at the default it holds.
struct KeyReader {
    const ProfileFile& file;

    template <class T, class Parse>
    void take(const char* section, const char* key, T& field, Parse parse) {
        auto raw = file.read(section, key);
        if (!raw) return;
        if (auto value = parse(*raw)) field = static_cast<T>(*value);
    }
    void integer(const char* sec, const char* key, std::int32_t& f) { take(sec, key, f, text::parseInteger); }
    void boolean(const char* sec, const char* key, bool& f) { take(sec, key, f, text::parseBoolean); }
    void colour(const char* sec, const char* key, Colour& f) { take(sec, key, f, text::parseColour); }
    // Kept as a 16-bit value: the integer's low 16 bits.
    void keepMonths(const char* sec, const char* key, std::uint16_t& f) { take(sec, key, f, text::parseInteger); }
    void string(const char* sec, const char* key, std::string& f) {
        if (auto raw = file.read(sec, key)) f = std::move(*raw);
    }
    void style(const char* sec, const char*, std::uint8_t& style) {
        for (const StyleKey& k : kStyleKeys) {
            bool on = (style & k.flag) != 0;
            boolean(sec, k.key, on);
            style = static_cast<std::uint8_t>(on ? (style | k.flag) : (style & ~k.flag));
        }
    }
};

// Writes keys one by one until the platform refuses one; the rest are then
// skipped and the error kept.
class KeyWriter {
public:
    explicit KeyWriter(ProfileFile file) : file_(std::move(file)) {}

    void string(const char* section, const char* key, std::string_view value) {
        if (!error_ && !file_.write(section, key, value)) error_ = cannotWriteMessage(file_.path());
    }
    void integer(const char* sec, const char* key, std::int32_t v) { string(sec, key, text::formatInteger(v)); }
    void boolean(const char* sec, const char* key, bool v) { string(sec, key, text::formatBoolean(v)); }
    void colour(const char* sec, const char* key, Colour v) { string(sec, key, text::formatColour(v)); }
    void style(const char* sec, std::uint8_t style) {
        for (const StyleKey& k : kStyleKeys) boolean(sec, k.key, (style & k.flag) != 0);
    }
    void font(const char* sec, const Tfontset& f) {
        integer(sec, "fontsize", f.size);
        string(sec, "fontname", f.name);
        style(sec, f.style);
    }
    void weeklyHolidays(const std::array<bool, 7>& days) {
        static constexpr const char* kKeys[7] = {"0", "1", "2", "3", "4", "5", "6"};
        for (int day = 0; day < 7; ++day) boolean("weekholi", kKeys[day], days[day]);
    }

    // The title font and window colour, the three bands, the today mark, the
    // weekly holidays and the deletion: the keys the settings dialog and the
    // conversion both write, in one order. Only the dialog writes the
    // holiday-name flag.
    void lookAndRules(const Settings& s, bool withHolidayNames) {
        integer("nen", "fontsize", s.title.size);
        string("nen", "fontname", s.title.name);
        style("nen", s.title.style);
        colour("nen", "fontcolor", s.title.colour);
        colour("nen", "yohakucolor", s.windowColour);

        colour("youbi", "bkcolor1", s.header.bkcolor1);
        colour("youbi", "bkcolor2", s.header.bkcolor2);
        font("youbi", s.header.font);
        colour("youbi", "fontcolor1", s.header.font.colour1);
        colour("youbi", "fontcolor2", s.header.font.colour2);
        integer("youbi", "textpos", s.header.textpos);

        colour("day", "bkrinsetu", s.date.bkrinsetu);
        colour("day", "bkcolor1", s.date.bkcolor1);
        colour("day", "bkcolor2", s.date.bkcolor2);
        font("day", s.date.font);
        colour("day", "fontcolor1", s.date.font.colour1);
        colour("day", "fontcolor2", s.date.font.colour2);
        integer("day", "textpos", s.date.textpos);
        if (withHolidayNames) boolean("day", "holiname", s.date.holiname);

        integer("memo", "width", s.memo.width);
        integer("memo", "height", s.memo.height);
        colour("memo", "bkrinsetu", s.memo.bkrinsetu);
        colour("memo", "bkcolor1", s.memo.bkcolor1);
        colour("memo", "bkcolor2", s.memo.bkcolor2);
        font("memo", s.memo.font);
        colour("memo", "fontcolor1", s.memo.font.colour1);
        colour("memo", "fontcolor2", s.memo.font.colour2);
        colour("memo", "fontrinsetucolor", s.memo.font.colour3);

        boolean("today", "flag", s.todayMark);
        colour("today", "color", s.todayColour);
        colour("today", "yjcolor", s.arrowColour);

        weeklyHolidays(s.weeklyHolidays);

        boolean("delfile", "flag", s.deleteOldFiles);
        integer("delfile", "month", s.keepMonths);
    }

    WriteError result() const { return error_; }

private:
    ProfileFile file_;
    WriteError error_;
};

}  // namespace

std::string cannotWriteMessage(const std::string& path) { return path + cp932::literal(" に書き込めません"); }

SettingsFile::SettingsFile(FileSystem& files, std::string programDir)
    : files_(files), programDir_(std::move(programDir)) {}

ProfileFile SettingsFile::profile() const { return ProfileFile(files_, path()); }

Settings SettingsFile::load() const {
    Settings s = defaultSettings();
    const ProfileFile file = profile();
    KeyReader reader{file};
    visitSettingsInLoadOrder(s, reader);
    return s;
}

WriteError SettingsFile::writeDialogKeys(const Settings& s) {
    KeyWriter w(profile());
    w.boolean("form", "jouchuu", s.trayResidence);
    w.boolean("form", "mon_start", s.mondayStart);
    w.lookAndRules(s, /*withHolidayNames=*/true);
    return w.result();
}

WriteError SettingsFile::writeMigratedKeys(const Settings& s) {
    KeyWriter w(profile());
    w.integer("form", "top", s.top);
    w.integer("form", "left", s.left);
    w.boolean("form", "toolbar", s.toolbar);
    w.boolean("form", "focus", s.focusFrame);
    w.lookAndRules(s, /*withHolidayNames=*/false);
    return w.result();
}

WriteError SettingsFile::writeFlag(const char* section, const char* key, bool on) {
    KeyWriter w(profile());
    w.boolean(section, key, on);
    return w.result();
}

WriteError SettingsFile::writeFocusFrame(bool on) { return writeFlag("form", "focus", on); }
WriteError SettingsFile::writeToolbar(bool visible) { return writeFlag("form", "toolbar", visible); }
WriteError SettingsFile::writeRokuyo(bool on) { return writeFlag("day", "rokuyo", on); }
WriteError SettingsFile::writeSekki(bool on) { return writeFlag("day", "sekki", on); }

WriteError SettingsFile::writeWindowPosition(std::int32_t top, std::int32_t left) {
    KeyWriter w(profile());
    w.integer("form", "top", top);
    w.integer("form", "left", left);
    return w.result();
}

WriteError SettingsFile::writeLinkDateStamp(const std::string& stamp) {
    KeyWriter w(profile());
    w.string("delfile", "exe", stamp);
    return w.result();
}

WriteError SettingsFile::writePrintMargins(std::int32_t top, std::int32_t left, std::int32_t right) {
    KeyWriter w(profile());
    w.integer("print", "top", top);
    w.integer("print", "left", left);
    w.integer("print", "right", right);
    return w.result();
}

}  // namespace kelmora
