#pragma once
// Files held in memory, so a fuzz target reads and writes without a disk.

#include <map>
#include <string>

#include "main/file_system.h"

namespace kelmora::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;

    bool exists(const std::string& path) const override { return files.count(path) > 0; }
    ReadResult readFile(const std::string& path, std::size_t maxBytes) const override {
        auto it = files.find(path);
        if (it == files.end()) return {ReadResult::CannotOpen, {}, {FileProblem::NotFound}};
        if (it->second.size() > maxBytes) return {ReadResult::CannotOpen, {}, {FileProblem::TooLarge}};
        return {ReadResult::Ok, it->second, {}};
    }
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return {};
    }
    bool removeFile(const std::string& path) override { return files.erase(path) > 0; }
    FileError renameFile(const std::string& from, const std::string& to) override {
        auto it = files.find(from);
        if (it == files.end()) return {FileProblem::NotFound};
        files[to] = std::move(it->second);
        files.erase(from);
        return {};
    }
    std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) const override {
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files)
            if (path.starts_with(dir) && path.ends_with(suffix) && path.find('/', dir.size()) == std::string::npos)
                names.push_back(path.substr(dir.size()));
        return names;
    }
    FileError createFolders(const std::string&) override { return {}; }
    FileError checkWritableFolder(const std::string&) const override { return {}; }
    FileStamp stampOf(const std::string& path) const override {
        auto it = files.find(path);
        if (it == files.end()) return {};
        return {true, 0, 0, it->second.size(), 0};
    }
    std::unique_ptr<FolderLock> lockFolder(const std::string&) override { return std::make_unique<FolderLock>(); }
    FileError reserveSpace(const std::string& reserve, std::uint64_t size) override {
        files[reserve].resize(size);
        return {};
    }
    WriteResult writeIntoReserve(const std::string& reserve, const std::string& path, std::string_view bytes) override {
        files.erase(reserve);
        return replaceFile(path, bytes);
    }
};

}  // namespace kelmora::fuzz
