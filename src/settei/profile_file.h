#pragma once
// A sectioned text file of key=value lines, read and written one key per
// call. Every call goes to the file itself: nothing is kept between calls, so
// a hand edit made while the program runs is seen by the next read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "main/file_system.h"

namespace kelmora {

class ProfileFile {
public:
    // The longest value a read returns, in bytes; a longer one is cut there,
    // never inside a double-byte character.
    static constexpr std::size_t kMaxValueBytes = 1023;
    // The largest file read: anything larger is no settings file.
    static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

    ProfileFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The value of `key` in `section` (names matched without regard to
    // case, spaces round name and value dropped, then the quotes round a
    // quoted value, see unquotedValue); nothing when the file, the section
    // or the key is missing.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;

    // Replaces the key's line in its section, or adds the key (and the
    // section) when missing; the file is created by the first write. Every
    // other line stays as it was. The file is replaced whole and atomically;
    // false when the platform refused, the old file then being unchanged.
    [[nodiscard]] bool write(std::string_view section, std::string_view key, std::string_view value);

private:
    FileSystem& files_;
    std::string path_;
};

// Both names alike when compared without regard to ASCII case; the second
// byte of a double-byte character is compared exactly.
bool profileNamesEqual(std::string_view a, std::string_view b);

// A value that begins and ends with the same quote, double or single, reads
// as what lies between them ("ＭＳ 明朝" in double quotes is ＭＳ 明朝), as the
// platform's profile functions read it; any other value as it is. Writing
// adds no quotes.
std::string_view unquotedValue(std::string_view value);

}  // namespace kelmora
