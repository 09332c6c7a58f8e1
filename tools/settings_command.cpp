// kelmora-tool settings [DIR]: every setting the calendar in DIR starts with,
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
#include "settei/settings_keys.h"

namespace kelmora::tool {

int settingsCommand(const Args& args) {
    if (args.size() > 1) return usageError("usage: settings [DIR]");
    Args operands = args;
    const std::string folder = takeCalendarDir(operands, 0);
    if (!isFolderOrSay(folder)) return 1;
    RealFileSystem files;
    const std::string dir = withTrailingSeparator(folder);
    LegacySettingsFile legacy(files, dir);
    StartupSettings start = legacy.present() ? legacy.read() : loadStartupSettings(files, dir);
    if (start.error) std::cerr << "kelmora-tool: " << cp932::toUtf8(*start.error) << '\n';
    if (start.fromLegacyFile) {
        std::cout << "# converted from " << LegacySettingsFile::kFileName;
        if (start.windowHeight) std::cout << ", window height " << *start.windowHeight;
        if (start.windowWidth) std::cout << ", window width " << *start.windowWidth;
        std::cout << '\n';
    }
    for (const SettingKey* k : settingsLoadOrder())
        std::cout << k->section << '/' << k->key << " = " << escapedText(cp932::toUtf8(settingText(*k, start.settings))) << '\n';
    return start.error ? 1 : 0;
}

}  // namespace kelmora::tool
