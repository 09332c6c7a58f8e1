#pragma once
// The real file system, counting the reads and replaces that reach each
// file (by name, without folder). It can refuse the rename that ends a
// replace, as a vanished folder or a failing disk would, and refuse to
// create the files named (the tests run with rights no permission stops).

#include <cerrno>
#include <map>
#include <set>
#include <string>

#include "main/file_system.h"

namespace kelmora::testing {

class RecordingFiles : public RealFileSystem {
public:
    ReadResult readFile(const std::string& path, std::size_t maxBytes) const override {
        ++reads[nameOf(path)];
        return RealFileSystem::readFile(path, maxBytes);
    }
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        ++replaces[nameOf(path)];
        if (refuseCreating.count(nameOf(path))) return {WriteStatus::CannotCreate, FileError{FileProblem::NoPermission}};
        return RealFileSystem::replaceFile(path, bytes);
    }
    void resetCounts() {
        reads.clear();
        replaces.clear();
    }

    bool refuseRename = false;
    std::set<std::string> refuseCreating;
    mutable std::map<std::string, int> reads;
    std::map<std::string, int> replaces;

protected:
    int commitReplacement(const std::string& temporary, const std::string& path) override {
        return refuseRename ? EIO : RealFileSystem::commitReplacement(temporary, path);
    }

private:
    static std::string nameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }
};

}  // namespace kelmora::testing
