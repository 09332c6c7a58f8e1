#include "settei/profile_file.h"

namespace kelmora {

std::optional<ProfileDocument> ProfileFile::load() const {
    const ReadResult file = files_.readFile(path_, kMaxFileBytes);
    if (file.status == ReadResult::Ok) return ProfileDocument(file.bytes);
    if (files_.exists(path_)) return std::nullopt;
    return ProfileDocument();
}

bool ProfileFile::save(const ProfileDocument& document) {
    return files_.replaceFile(path_, document.bytes()) == WriteStatus::Ok;
}

std::optional<std::string> ProfileFile::read(std::string_view section, std::string_view key) const {
    const std::optional<ProfileDocument> document = load();
    if (!document) return std::nullopt;
    return document->value(section, key);
}

bool ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
    std::optional<ProfileDocument> document = load();
    if (!document) return false;
    document->set(section, key, value);
    return save(*document);
}

}  // namespace kelmora
