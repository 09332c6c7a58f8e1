#pragma once
// The settings file "kelmora.ini" beside the program: loading every setting
// at start, and one writer for each group of keys that the calendar stores
// at its own moment. Each load reads the file once; each writer reads it
// once, sets its keys in order and replaces the file once, whole and
// atomically, keeping every other line. A writer the platform refuses leaves
// the file as it was and returns the error text "<path> に書き込めません"
// (CP932) for the caller to show.

#include <optional>
#include <string>

#include "main/file_system.h"
#include "settei/profile_file.h"
#include "settei/settings.h"
#include "settei/settings_keys.h"

namespace kelmora {

using WriteError = std::optional<std::string>;

class SettingsFile {
public:
    static constexpr const char* kFileName = "kelmora.ini";

    // `programDir` ends in its separator.
    SettingsFile(FileSystem& files, std::string programDir);

    std::string path() const { return programDir_ + kFileName; }

    // Every setting, each missing or unreadable key taking its default.
    Settings load() const;
    // The same from a file already read.
    static Settings settingsFrom(const ProfileDocument& file);

    // The settings dialog's OK: tray residence, Monday start, title font,
    // window colour, the three bands, today mark, weekly holidays, deletion.
    [[nodiscard]] WriteError writeDialogKeys(const Settings& s);
    // The conversion of the legacy settings file.
    [[nodiscard]] WriteError writeMigratedKeys(const Settings& s);
    [[nodiscard]] WriteError writeFocusFrame(bool on);
    [[nodiscard]] WriteError writeToolbar(bool visible);
    [[nodiscard]] WriteError writeRokuyo(bool on);
    [[nodiscard]] WriteError writeSekki(bool on);
    // On every close, before the expired files are cleaned up.
    [[nodiscard]] WriteError writeWindowPosition(std::int32_t top, std::int32_t left);
    // The date the shopping link was last used ("delfile"/"exe"), text as given.
    [[nodiscard]] WriteError writeLinkDateStamp(const std::string& stamp);
    [[nodiscard]] WriteError writePrintMargins(std::int32_t top, std::int32_t left, std::int32_t right);

private:
    FileSystem& files_;
    std::string programDir_;
};

// "<path> に書き込めません" in CP932.
std::string cannotWriteMessage(const std::string& path);

}  // namespace kelmora
