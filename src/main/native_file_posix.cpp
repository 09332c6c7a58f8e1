#include "main/native_file.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kelmora::native {
namespace {

constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;

int fillInfo(const struct stat& st, FileInfo& info) {
    info.regular = S_ISREG(st.st_mode);
    info.device = static_cast<std::uint64_t>(st.st_dev);
    info.inode = static_cast<std::uint64_t>(st.st_ino);
    info.size = static_cast<std::uint64_t>(st.st_size);
    info.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    info.mode = st.st_mode & 07777;
    info.owner = st.st_uid;
    info.group = st.st_gid;
    return 0;
}

}  // namespace

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

void FileHandle::adopt(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

int FileHandle::close() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

int openForReading(const std::string& path, FileHandle& file) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    file.adopt(fd);
    return 0;
}

int infoOf(const FileHandle& file, FileInfo& info) {
    struct stat st {};
    if (::fstat(file.fd(), &st) != 0) return errno;
    return fillInfo(st, info);
}

int infoOfPath(const std::string& path, FileInfo& info) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno;
    return fillInfo(st, info);
}

int readUpTo(const FileHandle& file, std::size_t limit, std::string& bytes) {
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(file.fd(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (bytes.size() > limit + 1) bytes.resize(limit + 1);
    return 0;
}

int createNew(const std::string& path, FileHandle& file) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kOwnerOnly);
    if (fd < 0) return errno;
    file.adopt(fd);
    // The umask may have taken bits away, never added any; set them exactly.
    return ::fchmod(fd, kOwnerOnly) == 0 ? 0 : errno;
}

int writeAll(const FileHandle& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(file.fd(), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return 0;
}

int syncToDisk(const FileHandle& file) { return ::fsync(file.fd()) == 0 ? 0 : errno; }

int copyOwnerAndMode(const FileHandle& file, const FileInfo& from) {
    struct stat st {};
    if (::fstat(file.fd(), &st) != 0) return errno;
    // Only a privileged user can give a file away; others keep their own.
    if ((st.st_uid != from.owner || st.st_gid != from.group) &&
        ::fchown(file.fd(), from.owner, from.group) != 0 && errno != EPERM)
        return errno;
    return ::fchmod(file.fd(), from.mode) == 0 ? 0 : errno;
}

int renameOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems cannot sync a folder; the rename stands all the same.
    if (result == EINVAL || result == ENOTSUP || result == EBADF) result = 0;
    return result;
}

int canCreateIn(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

int lockFolder(const std::string& folder, int waitMs, FileHandle& lock) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    lock.adopt(fd);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
        if (errno != EWOULDBLOCK && errno != EINTR) break;
        if (std::chrono::steady_clock::now() >= until) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const int error = errno;
    lock.close();
    return error;
}

int openExisting(const std::string& path, FileHandle& file) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno;
    file.adopt(fd);
    return 0;
}

int allocate(const FileHandle& file, std::uint64_t size) {
    // posix_fallocate returns the error itself; a file system without it
    // gets the blocks written instead.
    return ::posix_fallocate(file.fd(), 0, static_cast<off_t>(size));
}

int overwriteWhole(const FileHandle& file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(file.fd(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(put);
    }
    return ::ftruncate(file.fd(), static_cast<off_t>(bytes.size())) == 0 ? 0 : errno;
}

}  // namespace kelmora::native
