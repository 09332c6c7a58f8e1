#pragma once
// A fresh folder under the system's temporary folder, removed afterwards,
// standing in for the program's directory.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kelmora::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("kelmora-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With its trailing separator, as the program's directory is passed on.
    std::string dir() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return dir() + name; }

    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
    }
    std::string get(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool has(const std::string& name) const { return std::filesystem::exists(file(name)); }
    void makeReadOnly(const std::string& name) const {
        std::filesystem::permissions(file(name),
                                     std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }

private:
    std::filesystem::path path_;
};

}  // namespace kelmora::testing
