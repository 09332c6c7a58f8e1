#pragma once
// The binary settings file "kelmora.wst" of earlier releases. When it lies
// beside the program, the start converts it into "kelmora.ini" once and
// deletes it; that start reads no key of "kelmora.ini".
//
// Errors are returned as CP932 texts for the window to show; the start goes
// on either way.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "main/file_system.h"
#include "settei/settings.h"

namespace kelmora {

struct LegacySettings {
    Settings settings;
    // The window size the file carried; applied at start, never written.
    std::optional<std::int32_t> windowHeight, windowWidth;
};

// The settings a legacy file holds, field by field. Fields beyond the end of
// a short file keep their defaults; settings the file never carries keep the
// values a window has before loading (button-face window colour, no tray,
// Sunday start, no holiday names, zero print margins).
LegacySettings parseLegacySettings(std::string_view bytes);

struct StartupSettings {
    Settings settings;
    std::optional<std::int32_t> windowHeight, windowWidth;
    bool fromLegacyFile = false;           // the legacy file was read
    std::optional<std::string> error;      // to show the user, CP932
};

class LegacySettingsFile {
public:
    static constexpr const char* kFileName = "kelmora.wst";
    // Four texts of at most 65535 bytes each and the fixed fields: a larger
    // file is no legacy settings file.
    static constexpr std::size_t kMaxFileBytes = 4 * (2 + 65535) + 1024;

    LegacySettingsFile(FileSystem& files, std::string programDir);

    std::string path() const { return programDir_ + kFileName; }
    bool present() const;

    // Reads the legacy file without writing or deleting anything. When it
    // cannot be opened, `error` holds "ﾌｧｲﾙ <path> は開けません" and the
    // settings are those of "kelmora.ini" (or the defaults).
    StartupSettings read() const;

    // Reads it, writes "kelmora.ini" from it and deletes it. A failed write
    // returns "<path> に書き込めません" and keeps the legacy file, so the next
    // start converts again; the run goes on with the settings read.
    StartupSettings convert();

private:
    FileSystem& files_;
    std::string programDir_;
};

// The settings of a start: the legacy file converted when present,
// otherwise "kelmora.ini" loaded. A "kelmora.ini" that is there but cannot be
// read (no regular file, larger than a settings file can be, no permission)
// gives the defaults and one message; it is not overwritten.
StartupSettings loadStartupSettings(FileSystem& files, const std::string& programDir);

}  // namespace kelmora
