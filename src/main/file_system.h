#pragma once
// The files beside the program, behind an interface so that every failure can
// be injected in tests. Paths are native (UTF-8 on Linux).

#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

enum class WriteStatus {
    Ok,
    CannotCreate,  // the file (or its temporary) could not be created
    WriteFailed,   // created, but writing, flushing or renaming failed
};

struct ReadResult {
    enum Status { Ok, CannotOpen, ReadError } status = Ok;
    std::string bytes;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool exists(const std::string& path) const = 0;
    virtual ReadResult readFile(const std::string& path) const = 0;
    // Replaces (or creates) the file whole: the bytes go to a temporary file
    // in the same folder, reach the disk, and the temporary file is renamed
    // over the old one. On failure the old file is as it was. A file whose
    // write permission is off is refused (CannotCreate).
    virtual WriteStatus replaceFile(const std::string& path, std::string_view bytes) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    virtual bool renameFile(const std::string& from, const std::string& to) = 0;
    // Names (without folder) of the regular files in `dir` whose name ends in
    // `suffix` (any case), in the order the directory lists them.
    virtual std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) const = 0;
};

class RealFileSystem : public FileSystem {
public:
    bool exists(const std::string& path) const override;
    ReadResult readFile(const std::string& path) const override;
    WriteStatus replaceFile(const std::string& path, std::string_view bytes) override;
    bool removeFile(const std::string& path) override;
    bool renameFile(const std::string& from, const std::string& to) override;
    std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) const override;

    static std::string temporaryNameFor(const std::string& path) { return path + ".tmp"; }

protected:
    // The two halves of replaceFile, apart so tests can stop between them.
    virtual WriteStatus writeDurably(const std::string& path, std::string_view bytes);
    virtual bool commitReplacement(const std::string& temporary, const std::string& path);
};

// A folder name with its trailing separator, as file names are built from it.
std::string withTrailingSeparator(std::string dir);

}  // namespace kelmora
