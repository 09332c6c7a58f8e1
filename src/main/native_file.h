#pragma once
// The operating system calls the file routines need and the standard library
// lacks. Every call returns 0 or the system's error number (errno). POSIX
// here; another platform gets its own file beside native_file_posix.cpp.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelmora::native {

// An open file, closed when it goes.
class FileHandle {
public:
    FileHandle() = default;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void adopt(int fd);
    // Closes it and reports what the close found (a write the disk refused
    // can show up only here).
    int close();

private:
    int fd_ = -1;
};

struct FileInfo {
    bool regular = false;
    std::uint64_t device = 0, inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // the last change of its contents, in nanoseconds
    unsigned mode = 0;  // the permission bits
    unsigned owner = 0, group = 0;
};

// Opens for reading without ever waiting: a pipe without a writer or a
// device opens at once (and is then told apart by infoOf).
int openForReading(const std::string& path, FileHandle& file);
int infoOf(const FileHandle& file, FileInfo& info);
// Of the file a path leads to, links followed.
int infoOfPath(const std::string& path, FileInfo& info);
// Reads to the end, but no more than `limit` + 1 bytes: one byte beyond the
// limit tells a file that is too long.
int readUpTo(const FileHandle& file, std::size_t limit, std::string& bytes);

// Creates a file that did not exist, not following a link in its place,
// readable and writable by its owner only.
int createNew(const std::string& path, FileHandle& file);
int writeAll(const FileHandle& file, std::string_view bytes);
int syncToDisk(const FileHandle& file);
// Gives the file the permissions (and, where allowed, the owner) of another.
int copyOwnerAndMode(const FileHandle& file, const FileInfo& from);
// Replaces `to` by `from` in one step.
int renameOver(const std::string& from, const std::string& to);
// Makes a rename in the folder last across a power cut.
int syncFolder(const std::string& folder);
// Whether the user may create files in the folder.
int canCreateIn(const std::string& folder);

// An exclusive lock on a folder, shared with other processes and freed by
// the system when the holder ends; held while `lock` stays open. Tries for
// up to `waitMs`.
int lockFolder(const std::string& folder, int waitMs, FileHandle& lock);
// Opens an existing regular file for writing, not following a link.
int openExisting(const std::string& path, FileHandle& file);
// Makes sure the file's first `size` bytes have disk blocks of their own.
int allocate(const FileHandle& file, std::uint64_t size);
// Writes `bytes` at the file's start and cuts it after them.
int overwriteWhole(const FileHandle& file, std::string_view bytes);

}  // namespace kelmora::native
