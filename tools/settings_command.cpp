// kelmora-tool settings DIR: every setting the calendar in DIR starts with,
// one "section/key = value" line each in the settings file's text forms,
// in the order the calendar reads them. When DIR holds the legacy settings
// file, what its conversion yields; nothing is written or deleted.

#include <filesystem>
#include <iostream>

#include "commands.h"
#include "main/cp932.h"
#include "main/file_system.h"
#include "settei/legacy_settings.h"
#include "settei/settings_keys.h"

namespace kelmora::tool {

int settingsCommand(const Args& args) {
    if (args.size() != 1) return usageError("usage: settings DIR");
    std::error_code ec;
    if (!std::filesystem::is_directory(args[0], ec)) {
        std::cerr << "kelmora-tool: not a folder: " << args[0] << '\n';
        return 1;
    }
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
    for (const SettingKey* k : settingsLoadOrder())
        std::cout << k->section << '/' << k->key << " = " << cp932::toUtf8(settingText(*k, start.settings)) << '\n';
    return start.error ? 1 : 0;
}

}  // namespace kelmora::tool
