#pragma once
// Why a file could not be read or written, in words the user can act on.

#include <string>

namespace kelmora {

enum class FileProblem {
    None,
    NotFound,        // the file or a folder on its way is missing
    NoPermission,    // the user may not read or write there
    ReadOnly,        // a read-only disk or mount
    DiskFull,        // no space left, or the user's quota is used up
    NotRegularFile,  // a folder, a pipe, a device...
    TooLarge,        // larger than its format allows
    LinkLoop,        // symbolic links that lead round in a circle
    Other,           // an input/output error or anything else
};

struct FileError {
    FileProblem problem = FileProblem::None;
    int code = 0;  // the system's error number; 0 when the problem is the program's own finding

    bool failed() const { return problem != FileProblem::None; }
};

// The problem a system error number stands for; 0 is no error.
FileError fileErrorFromErrno(int code);

// The cause in Japanese (CP932), without a full stop: "ディスクの空き容量が足りません".
std::string describeFileError(const FileError& error);

// A native (UTF-8) path as a message shows it (CP932).
std::string pathForMessage(const std::string& path);

}  // namespace kelmora
