// A legacy settings file of any bytes, converted at start as the calendar
// converts it: parsed, written into "kelmora.ini", deleted.

#include <cstddef>
#include <cstdint>
#include <string>

#include "memory_file_system.h"
#include "settei/legacy_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelmora::fuzz::MemoryFileSystem files;
    const std::string dir = "/calendar/";
    files.files[dir + kelmora::LegacySettingsFile::kFileName] = std::string(reinterpret_cast<const char*>(data), size);
    (void)kelmora::loadStartupSettings(files, dir);
    return 0;
}
