#pragma once
// Writing an exported file where the user chose, and saying why it failed.

#include <optional>
#include <string>
#include <string_view>

#include "main/file_system.h"

namespace kelmora {

// Replaces (or creates) the file at `path` with `bytes`. Nothing on success;
// otherwise the likely cause, a Japanese sentence (CP932) for the message.
std::optional<std::string> writeExportFile(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace kelmora
