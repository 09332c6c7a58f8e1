#include "main/file_system.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace kelmora {
namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;             // as the system allows
constexpr std::size_t kTemporaryTagLength = 10;
constexpr int kTemporaryAttempts = 100;
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::string_view kTagLetters = "abcdefghijklmnopqrstuvwxyz0123456789";

bool endsWithIgnoringCase(const std::string& name, const std::string& suffix) {
    if (name.size() < suffix.size()) return false;
    return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

FileError fromErrorCode(const std::error_code& ec) {
    if (!ec) return {};
    return ec.category() == std::system_category() || ec.category() == std::generic_category()
               ? fileErrorFromErrno(ec.value())
               : FileError{FileProblem::Other, ec.value()};
}

std::string folderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string nameOf(const std::string& path) { return fs::path(path).filename().string(); }

FileStamp stampFrom(const native::FileInfo& info) {
    return {true, info.device, info.inode, info.size, info.modifiedNs};
}

// Another copy writing in the folder holds its lock for one save: a few
// milliseconds, far less on a quiet disk.
constexpr int kFolderLockWaitMs = 2000;

class NativeFolderLock : public FolderLock {
public:
    native::FileHandle handle;
};

std::string randomTag() {
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kTagLetters.size() - 1);
    std::string tag;
    for (std::size_t i = 0; i < kTemporaryTagLength; ++i) tag.push_back(kTagLetters[pick(random)]);
    return tag;
}

// Temporary files of `target` left by a save that never finished (the
// program was killed): regular files only, never what a link leads to.
void removeStaleTemporaries(const std::string& target) {
    const std::string targetName = nameOf(target);
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (RealFileSystem::isTemporaryNameFor(name, targetName) && it->symlink_status(typeError).type() == fs::file_type::regular) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

// A temporary file of its own beside `target`, created exclusively.
int createTemporary(const std::string& target, std::string& temporary, native::FileHandle& file) {
    int error = EEXIST;
    for (int attempt = 0; attempt < kTemporaryAttempts && error == EEXIST; ++attempt) {
        temporary = target + "." + randomTag() + std::string(kTemporarySuffix);
        error = native::createNew(temporary, file);
        if (error != 0 && file.isOpen()) {  // created, but its permissions could not be set
            file.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
        }
    }
    return error;
}

}  // namespace

FileError resolveLinks(const std::string& path, std::string& target) {
    fs::path current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(current, ec);
        if (status.type() == fs::file_type::not_found) {
            target = current.string();
            return {};
        }
        if (ec) return fromErrorCode(ec);
        if (status.type() != fs::file_type::symlink) {
            target = current.string();
            return {};
        }
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) return fromErrorCode(ec);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return fileErrorFromErrno(ELOOP);
}

bool RealFileSystem::isTemporaryNameFor(const std::string& name, const std::string& target) {
    if (name == target + std::string(kTemporarySuffix)) return true;  // the one name earlier versions used
    const std::size_t tagAt = target.size() + 1;
    if (name.size() != tagAt + kTemporaryTagLength + kTemporarySuffix.size()) return false;
    if (name.compare(0, target.size(), target) != 0 || name[target.size()] != '.') return false;
    if (!name.ends_with(kTemporarySuffix)) return false;
    const std::string_view tag = std::string_view(name).substr(tagAt, kTemporaryTagLength);
    return std::all_of(tag.begin(), tag.end(), [](char c) { return kTagLetters.find(c) != std::string_view::npos; });
}

bool RealFileSystem::exists(const std::string& path) const {
    std::error_code ec;
    return fs::exists(path, ec);
}

ReadResult RealFileSystem::readFile(const std::string& path, std::size_t maxBytes) const {
    native::FileHandle file;
    if (int error = native::openForReading(path, file)) return {ReadResult::CannotOpen, {}, fileErrorFromErrno(error)};
    native::FileInfo info;
    if (int error = native::infoOf(file, info)) return {ReadResult::ReadError, {}, fileErrorFromErrno(error)};
    if (!info.regular) return {ReadResult::CannotOpen, {}, {FileProblem::NotRegularFile}};
    if (info.size > maxBytes) return {ReadResult::CannotOpen, {}, {FileProblem::TooLarge}};
    ReadResult result;
    result.stamp = stampFrom(info);
    result.bytes.reserve(static_cast<std::size_t>(info.size));
    if (int error = native::readUpTo(file, maxBytes, result.bytes)) return {ReadResult::ReadError, {}, fileErrorFromErrno(error)};
    // It grew while it was being read.
    if (result.bytes.size() > maxBytes) return {ReadResult::CannotOpen, {}, {FileProblem::TooLarge}};
    return result;
}

WriteResult RealFileSystem::replaceFile(const std::string& path, std::string_view bytes) {
    std::string target;
    if (FileError error = resolveLinks(path, target); error.failed()) return {WriteStatus::CannotCreate, error};
    native::FileInfo old;
    const int oldError = native::infoOfPath(target, old);
    const bool replacing = oldError == 0;
    if (oldError != 0 && oldError != ENOENT) return {WriteStatus::CannotCreate, fileErrorFromErrno(oldError)};
    if (replacing && !old.regular) return {WriteStatus::CannotCreate, {FileProblem::NotRegularFile}};
    if (replacing && (old.mode & 0200) == 0) return {WriteStatus::CannotCreate, fileErrorFromErrno(EACCES)};

    removeStaleTemporaries(target);
    std::string temporary;
    native::FileHandle file;
    if (int error = createTemporary(target, temporary, file))
        return {WriteStatus::CannotCreate, fileErrorFromErrno(error)};

    int error = writeTemporary(file, bytes);
    if (!error && replacing) error = native::copyOwnerAndMode(file, old);
    if (!error) error = native::syncToDisk(file);
    // What the file will be once renamed into place: a rename keeps it.
    native::FileInfo written;
    if (!error) error = native::infoOf(file, written);
    if (const int closeError = file.close(); !error) error = closeError;
    if (!error) error = commitReplacement(temporary, target);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return {WriteStatus::WriteFailed, fileErrorFromErrno(error)};
    }
    if (int syncError = native::syncFolder(folderOf(target))) return {WriteStatus::WriteFailed, fileErrorFromErrno(syncError)};
    return {WriteStatus::Ok, {}, stampFrom(written)};
}

FileStamp RealFileSystem::stampOf(const std::string& path) const {
    native::FileInfo info;
    if (native::infoOfPath(path, info) != 0) return {};
    return stampFrom(info);
}

std::unique_ptr<FolderLock> RealFileSystem::lockFolder(const std::string& dir) {
    auto lock = std::make_unique<NativeFolderLock>();
    if (native::lockFolder(dir, kFolderLockWaitMs, lock->handle) != 0) return nullptr;
    return lock;
}

FileError RealFileSystem::reserveSpace(const std::string& reserve, std::uint64_t size) {
    native::FileInfo info;
    if (native::infoOfPath(reserve, info) == 0 && info.regular && info.size >= size) return {};
    native::FileHandle file;
    int error = native::openExisting(reserve, file);
    if (error == ENOENT) error = native::createNew(reserve, file);
    if (!error) error = native::allocate(file, size);
    if (!error) error = native::syncToDisk(file);
    if (const int closeError = file.close(); !error) error = closeError;
    if (error) {
        // A reserve too small helps nobody and takes what the month file needs.
        std::error_code ignored;
        fs::remove(reserve, ignored);
    }
    return fileErrorFromErrno(error);
}

WriteResult RealFileSystem::writeIntoReserve(const std::string& reserve, const std::string& path, std::string_view bytes) {
    native::FileHandle file;
    native::FileInfo info;
    int error = native::openExisting(reserve, file);
    if (error) return {WriteStatus::CannotCreate, fileErrorFromErrno(error)};
    error = native::infoOf(file, info);
    if (!error && (!info.regular || info.size < bytes.size())) error = ENOSPC;
    if (!error) error = native::overwriteWhole(file, bytes);
    if (!error) error = native::syncToDisk(file);
    if (!error) error = native::infoOf(file, info);
    if (const int closeError = file.close(); !error) error = closeError;
    if (!error) error = native::renameOver(reserve, path);
    if (!error) error = native::syncFolder(folderOf(path));
    if (error) return {WriteStatus::WriteFailed, fileErrorFromErrno(error)};
    return {WriteStatus::Ok, {}, stampFrom(info)};
}

int RealFileSystem::writeTemporary(const native::FileHandle& file, std::string_view bytes) {
    return native::writeAll(file, bytes);
}

int RealFileSystem::commitReplacement(const std::string& temporary, const std::string& target) {
    return native::renameOver(temporary, target);
}

bool RealFileSystem::removeFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

FileError RealFileSystem::renameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return fromErrorCode(ec);
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

FileError RealFileSystem::createFolders(const std::string& dir) {
    fs::path built;
    for (const fs::path& part : fs::path(dir)) {
        built /= part;
        if (part.empty()) continue;
        std::error_code ec;
        if (fs::is_directory(built, ec)) continue;
        if (!fs::create_directory(built, ec)) return ec ? fromErrorCode(ec) : fileErrorFromErrno(EEXIST);
        fs::permissions(built, fs::perms::owner_all, fs::perm_options::replace, ec);
        if (ec) return fromErrorCode(ec);
    }
    return {};
}

FileError RealFileSystem::checkWritableFolder(const std::string& dir) const {
    return fileErrorFromErrno(native::canCreateIn(dir));
}

std::string withTrailingSeparator(std::string dir) {
    if (dir.empty() || (dir.back() != '/' && dir.back() != '\\')) dir.push_back('/');
    return dir;
}

}  // namespace kelmora
