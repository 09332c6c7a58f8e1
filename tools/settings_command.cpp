// kelmora-tool settings DIR: every setting the calendar in DIR starts with,
// one "section/key = value" line each in the settings file's text forms,
// in the order the calendar reads them (a text with JSON's escapes, so that
// it stays on its line). When DIR holds the legacy settings
// file, what its conversion yields; nothing is written or deleted.

#include <iostream>

#include "commands.h"
#include "escaped_text.h"
#include "main/cp932.h"
#include "main/file_system.h"
#include "settei/legacy_settings.h"
#include "settei/settings_load_order.h"
#include "settei/settings_text.h"

namespace kelmora::tool {
namespace {

namespace text = settings_text;

struct SettingPrinter {
    std::ostream& out;

    void line(const char* section, const char* key, const std::string& value) {
        out << section << '/' << key << " = " << value << '\n';
    }
    void integer(const char* sec, const char* key, std::int32_t v) { line(sec, key, text::formatInteger(v)); }
    void boolean(const char* sec, const char* key, bool v) { line(sec, key, text::formatBoolean(v)); }
    void colour(const char* sec, const char* key, Colour v) { line(sec, key, text::formatColour(v)); }
    void keepMonths(const char* sec, const char* key, std::uint16_t v) { line(sec, key, text::formatInteger(v)); }
    void string(const char* sec, const char* key, const std::string& v) { line(sec, key, escapedText(cp932::toUtf8(v))); }
    void style(const char* sec, const char*, std::uint8_t style) {
        for (const StyleKey& k : kStyleKeys) boolean(sec, k.key, (style & k.flag) != 0);
    }
};

}  // namespace

int settingsCommand(const Args& args) {
    if (args.size() != 1) return usageError("usage: settings DIR");
    if (!isFolderOrSay(args[0])) return 1;
    RealFileSystem files;
    const std::string dir = withTrailingSeparator(args[0]);
    LegacySettingsFile legacy(files, dir);
    StartupSettings start = legacy.present() ? legacy.read() : loadStartupSettings(files, dir);
    if (start.error) std::cerr << "kelmora-tool: " << cp932::toUtf8(*start.error) << '\n';
    if (start.fromLegacyFile) {
        std::cout << "# converted from " << LegacySettingsFile::kFileName;
        if (start.windowHeight) std::cout << ", window height " << *start.windowHeight;
        if (start.windowWidth) std::cout << ", window width " << *start.windowWidth;
        std::cout << '\n';
    }
    SettingPrinter printer{std::cout};
    visitSettingsInLoadOrder(start.settings, printer);
    return start.error ? 1 : 0;
}

}  // namespace kelmora::tool
