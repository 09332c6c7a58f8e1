#include "main/file_system.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "main/file_sync.h"

namespace kelmora {
namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool endsWithIgnoringCase(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool writeProtected(const std::string& path) {
    std::error_code ec;
    fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

bool RealFileSystem::exists(const std::string& path) const {
    std::error_code ec;
    return fs::exists(path, ec);
}

ReadResult RealFileSystem::readFile(const std::string& path) const {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return {ReadResult::CannotOpen, {}};
    ReadResult result;
    char buffer[8192];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) result.bytes.append(buffer, got);
    if (std::ferror(file.get())) return {ReadResult::ReadError, {}};
    return result;
}

WriteStatus RealFileSystem::replaceFile(const std::string& path, std::string_view bytes) {
    if (writeProtected(path)) return WriteStatus::CannotCreate;
    const std::string temporary = temporaryNameFor(path);
    WriteStatus written = writeDurably(temporary, bytes);
    if (written == WriteStatus::Ok && !commitReplacement(temporary, path)) written = WriteStatus::WriteFailed;
    if (written != WriteStatus::Ok) std::remove(temporary.c_str());
    return written;
}

WriteStatus RealFileSystem::writeDurably(const std::string& path, std::string_view bytes) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) return WriteStatus::CannotCreate;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    ok = ok && syncToDisk(file.get());
    ok = std::fclose(file.release()) == 0 && ok;
    return ok ? WriteStatus::Ok : WriteStatus::WriteFailed;
}

bool RealFileSystem::commitReplacement(const std::string& temporary, const std::string& path) {
    std::error_code ec;
    fs::rename(temporary, path, ec);
    return !ec;
}

bool RealFileSystem::removeFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

bool RealFileSystem::renameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

std::vector<std::string> RealFileSystem::listFiles(const std::string& dir, const std::string& suffix) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (endsWithIgnoringCase(name, suffix)) names.push_back(std::move(name));
    }
    return names;
}

std::string withTrailingSeparator(std::string dir) {
    if (dir.empty() || (dir.back() != '/' && dir.back() != '\\')) dir.push_back('/');
    return dir;
}

}  // namespace kelmora
