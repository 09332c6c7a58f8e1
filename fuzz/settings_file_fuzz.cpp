// A "kelmora.ini" of any bytes, loaded at start as the calendar loads it.
// Afterwards a key the calendar writes must read back as written.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "memory_file_system.h"
#include "settei/legacy_settings.h"
#include "settei/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelmora::fuzz::MemoryFileSystem files;
    const std::string dir = "/calendar/";
    kelmora::SettingsFile settings(files, dir);
    files.files[settings.path()] = std::string(reinterpret_cast<const char*>(data), size);
    (void)kelmora::loadStartupSettings(files, dir);
    if (settings.writeWindowPosition(-7, 1234)) std::abort();
    const kelmora::Settings back = settings.load();
    if (back.top != -7 || back.left != 1234) std::abort();
    return 0;
}
