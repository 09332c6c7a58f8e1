#pragma once
// The files beside the program, behind an interface so that every failure can
// be injected in tests. Paths are native (UTF-8 on Linux). Every failure
// carries its cause (FileError) for the messages.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "main/file_error.h"
#include "main/native_file.h"

namespace kelmora {

// Which file a path led to when it was looked at, to tell whether someone
// has replaced or changed it since: a file put in its place by a rename has
// another identity, one written over has another size or time.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

enum class WriteStatus {
    Ok,
    CannotCreate,  // the file (or its temporary) could not be created
    WriteFailed,   // created, but writing, flushing or renaming failed
};

struct WriteResult {
    WriteStatus status = WriteStatus::Ok;
    FileError error;
    FileStamp stamp = {};  // of the file as written, when it was

    bool ok() const { return status == WriteStatus::Ok; }
    friend bool operator==(const WriteResult& result, WriteStatus status) { return result.status == status; }
};

struct ReadResult {
    // CannotOpen covers a missing file and one that is no regular file or
    // larger than allowed (see `error`); ReadError a file that failed while
    // it was being read.
    enum Status { Ok, CannotOpen, ReadError } status = Ok;
    std::string bytes;
    FileError error;
    FileStamp stamp = {};  // of the file the bytes came from
};

// Held while a month is compared with its file and written, so that two
// copies of the program on one folder take turns. The system frees it with
// the process that holds it.
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool exists(const std::string& path) const = 0;
    // The whole file when the path leads (links followed) to a regular file
    // of at most `maxBytes`; never waits on a pipe or reads a device.
    virtual ReadResult readFile(const std::string& path, std::size_t maxBytes) const = 0;
    // The file a path leads to now (links followed); not `exists` when there
    // is none or it cannot be looked at.
    virtual FileStamp stampOf(const std::string& path) const = 0;
    // Replaces (or creates) the file whole. A symbolic link is followed and
    // the file it leads to is replaced, in that file's folder; the link
    // stays. The bytes go to a new temporary file there, reach the disk, and
    // the temporary file is renamed over the old one; on failure the old file
    // is as it was and no temporary file is left. The replacement keeps the
    // old file's permissions; a new file is readable and writable by its
    // owner only. A file whose write permission is off, or that is no
    // regular file, is refused (CannotCreate).
    virtual WriteResult replaceFile(const std::string& path, std::string_view bytes) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    virtual FileError renameFile(const std::string& from, const std::string& to) = 0;
    // Names (without folder) of the regular files in `dir` whose name ends in
    // `suffix` (any case), in the order the directory lists them.
    virtual std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) const = 0;
    // Creates the folder and any missing parents; the new ones are open to
    // their owner only.
    virtual FileError createFolders(const std::string& dir) = 0;
    // Whether new files can be created in the folder.
    virtual FileError checkWritableFolder(const std::string& dir) const = 0;
    // Waits a moment for another copy of the program that is writing in
    // the folder; nothing when no lock can be had there (the caller goes on
    // without one).
    virtual std::unique_ptr<FolderLock> lockFolder(const std::string& dir) = 0;

    // Space that a full disk cannot take: a file of `size` bytes whose
    // blocks are allocated, made (or grown) when it is smaller.
    virtual FileError reserveSpace(const std::string& reserve, std::uint64_t size) = 0;
    // Writes `bytes` (at most the reserve's size) into the reserve's
    // allocated blocks and renames it to `path` (replacing what is there):
    // the one write that still works on a full disk. The reserve is used up.
    virtual WriteResult writeIntoReserve(const std::string& reserve, const std::string& path, std::string_view bytes) = 0;
};

class RealFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    ReadResult readFile(const std::string& path, std::size_t maxBytes) const override;
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override;
    bool removeFile(const std::string& path) override;
    FileError renameFile(const std::string& from, const std::string& to) override;
    std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) const override;
    FileError createFolders(const std::string& dir) override;
    FileError checkWritableFolder(const std::string& dir) const override;
    FileStamp stampOf(const std::string& path) const override;
    std::unique_ptr<FolderLock> lockFolder(const std::string& dir) override;
    FileError reserveSpace(const std::string& reserve, std::uint64_t size) override;
    WriteResult writeIntoReserve(const std::string& reserve, const std::string& path, std::string_view bytes) override;

    // Whether `name` is one of the temporary files replaceFile makes for
    // `target` (both without folder): "<target>.<ten letters or digits>.tmp",
    // or "<target>.tmp" of earlier versions.
    static bool isTemporaryNameFor(const std::string& name, const std::string& target);

protected:
    // The steps of replaceFile that tests make fail; each returns 0 or an
    // error number.
    virtual int writeTemporary(const native::FileHandle& file, std::string_view bytes);
    virtual int commitReplacement(const std::string& temporary, const std::string& target);
};

// The file a path leads to once its symbolic links are followed (the path
// itself when it is no link or does not exist).
FileError resolveLinks(const std::string& path, std::string& target);

// A folder name with its trailing separator, as file names are built from it.
std::string withTrailingSeparator(std::string dir);

}  // namespace kelmora
