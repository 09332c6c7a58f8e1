#pragma once
// A settings file on disk as a ProfileDocument: read whole once, changed in
// memory, and replaced whole and atomically once. Nothing is kept between
// calls, so a hand edit made while the program runs is seen by the next one.

#include <optional>
#include <string>
#include <string_view>

#include "main/file_system.h"
#include "settei/profile_document.h"

namespace kelmora {

class ProfileFile {
public:
    // The largest file read: anything larger is no settings file.
    static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

    ProfileFile(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The file as it is now; an empty document when there is no file.
    // Nothing when the file exists but cannot be read: it must then not be
    // replaced, or its other keys would be lost.
    std::optional<ProfileDocument> load() const;

    // Replaces (or creates) the file with the document, whole and
    // atomically; false when the platform refused, the old file then being
    // unchanged.
    [[nodiscard]] bool save(const ProfileDocument& document);

    // One key, read from the file as it is now; nothing when the file, the
    // section or the key is missing.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;

    // One key set in the file: read, change, replace once.
    [[nodiscard]] bool write(std::string_view section, std::string_view key, std::string_view value);

private:
    FileSystem& files_;
    std::string path_;
};

}  // namespace kelmora
