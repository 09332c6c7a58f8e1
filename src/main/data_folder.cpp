#include "main/data_folder.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "main/file_system.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;

// The folder without "." and ".." steps, doubled or trailing separators.
fs::path tidy(const std::string& folder) {
    fs::path path = fs::path(folder).lexically_normal();
    if (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
    return path;
}

// The folders that hold the system's programs: a copy in one of them is an
// installed program whoever runs it, root included.
bool inSystemProgramFolders(const fs::path& folder) {
    static const std::array<fs::path, 4> kSystemFolders = {"/usr", "/bin", "/sbin", "/opt"};
    for (const fs::path& system : kSystemFolders) {
        if (std::mismatch(system.begin(), system.end(), folder.begin(), folder.end()).first == system.end())
            return true;
    }
    return false;
}

}  // namespace

std::string userDataHome(const UserFolders& user) {
    if (!user.xdgDataHome.empty() && user.xdgDataHome.front() == '/') return withTrailingSeparator(user.xdgDataHome);
    return withTrailingSeparator(user.home.empty() ? std::string("/") : user.home) + ".local/share/";
}

std::string installedHelpFile(const std::string& programFolder) {
    const fs::path folder = tidy(programFolder);
    if (folder.filename() != "bin") return {};
    return (folder.parent_path() / "share" / "kelmora" / kHelpFileName).string();
}

CalendarFolders chooseCalendarFolders(const ProgramPlace& place, const UserFolders& user) {
    const std::string beside = withTrailingSeparator(tidy(place.folder).string());
    const std::string ownFolder = userDataHome(user) + "kelmora/";
    CalendarFolders folders;
    folders.portable = place.writable && !place.helpInstalled && !inSystemProgramFolders(tidy(place.folder));
    folders.data = folders.portable ? beside : ownFolder;
    folders.helpFile = place.helpInstalled ? installedHelpFile(place.folder) : beside + kHelpFileName;
    folders.rescue = ownFolder + "rescue/";
    return folders;
}

CalendarFolders locateCalendarFolders(const FileSystem& files, const std::string& programFolder,
                                      const UserFolders& user) {
    ProgramPlace place;
    place.folder = programFolder;
    place.writable = !files.checkWritableFolder(programFolder).failed();
    const std::string help = installedHelpFile(programFolder);
    place.helpInstalled = !help.empty() && files.exists(help);
    return chooseCalendarFolders(place, user);
}

}  // namespace kelmora
