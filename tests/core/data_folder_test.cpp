#include "main/data_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "main/file_system.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::TempFolder;

const UserFolders kUser{"", "/home/aki"};
constexpr const char* kOwn = "/home/aki/.local/share/kelmora/";

TEST(DataFolder, PortableOnlyWhenWritableOutsideTheSystemAndNotLaidOutAsInstalled) {
    struct Case {
        const char* what;
        ProgramPlace place;
        bool portable;
        const char* data;
        const char* help;
    };
    const Case cases[] = {
        {"a package's program", {"/usr/bin", false, true}, false, kOwn, "/usr/share/kelmora/kelmora.hlp"},
        {"root starting a package's program", {"/usr/bin/", true, true}, false, kOwn, "/usr/share/kelmora/kelmora.hlp"},
        {"a program in /usr/local, help missing", {"/usr/local/bin", true, false}, false, kOwn, "/usr/local/bin/kelmora.hlp"},
        {"root's copy in /opt", {"/opt/kelmora", true, false}, false, kOwn, "/opt/kelmora/kelmora.hlp"},
        {"/bin", {"/bin", true, false}, false, kOwn, "/bin/kelmora.hlp"},
        {"/sbin", {"/sbin", true, false}, false, kOwn, "/sbin/kelmora.hlp"},
        {"scripts/install's folder", {"/home/aki/.local/share/kelmora", true, false}, true, kOwn, "/home/aki/.local/share/kelmora/kelmora.hlp"},
        {"a USB stick", {"/media/aki/USB/kelmora/", true, false}, true, "/media/aki/USB/kelmora/", "/media/aki/USB/kelmora/kelmora.hlp"},
        {"a folder the user cannot write", {"/media/cdrom/kelmora", false, false}, false, kOwn, "/media/cdrom/kelmora/kelmora.hlp"},
        {"a package unpacked for a look", {"/tmp/x/usr/bin", true, true}, false, kOwn, "/tmp/x/usr/share/kelmora/kelmora.hlp"},
        {"installed under the user's prefix", {"/home/aki/.local/bin", true, true}, false, kOwn, "/home/aki/.local/share/kelmora/kelmora.hlp"},
        {"the user's own bin with the help beside", {"/home/aki/bin", true, false}, true, "/home/aki/bin/", "/home/aki/bin/kelmora.hlp"},
        {"a name that only begins like /usr", {"/usrdata/kelmora", true, false}, true, "/usrdata/kelmora/", "/usrdata/kelmora/kelmora.hlp"},
        {"/opt named by a detour", {"/home/../opt/./kelmora", true, false}, false, kOwn, "/opt/kelmora/kelmora.hlp"},
        {"out of /usr by a detour", {"/usr/../srv//cal/", true, false}, true, "/srv/cal/", "/srv/cal/kelmora.hlp"},
    };
    for (const Case& c : cases) {
        const CalendarFolders folders = chooseCalendarFolders(c.place, kUser);
        EXPECT_EQ(folders.data, c.data) << c.what;
        EXPECT_EQ(folders.portable, c.portable) << c.what;
        EXPECT_EQ(folders.helpFile, c.help) << c.what;
        EXPECT_EQ(folders.rescue, std::string(kOwn) + "rescue/") << c.what;
    }
}

TEST(DataFolder, OwnFolderFollowsXdgDataHomeWhenItIsAnAbsolutePath) {
    struct Case {
        UserFolders user;
        const char* data;
    };
    const Case cases[] = {
        {{"/srv/aki/data", "/home/aki"}, "/srv/aki/data/kelmora/"},
        {{"/srv/aki/data/", "/home/aki"}, "/srv/aki/data/kelmora/"},
        {{"", "/home/aki/"}, "/home/aki/.local/share/kelmora/"},
        {{"data", "/home/aki"}, "/home/aki/.local/share/kelmora/"},  // relative: not to be used
        {{"", ""}, "/.local/share/kelmora/"},
    };
    for (const Case& c : cases) {
        const CalendarFolders folders = chooseCalendarFolders({"/usr/bin", false, true}, c.user);
        EXPECT_EQ(folders.data, c.data) << c.user.xdgDataHome << " " << c.user.home;
        EXPECT_EQ(folders.rescue, std::string(c.data) + "rescue/");
    }
}

// The facts come from the folders themselves.
TEST(DataFolder, LooksAtTheProgramsFolderOnDisk) {
    TempFolder root;
    RealFileSystem files;
    const UserFolders user{root.file("data"), root.dir()};
    const std::string bin = root.file("usr/bin");
    std::filesystem::create_directories(bin);

    EXPECT_TRUE(locateCalendarFolders(files, bin, user).portable) << "a writable bin without an installed help";

    std::filesystem::create_directories(root.file("usr/share/kelmora"));
    root.put("usr/share/kelmora/kelmora.hlp", "<h1>help</h1>");
    CalendarFolders unpacked = locateCalendarFolders(files, bin, user);
    EXPECT_EQ(unpacked.data, root.file("data/kelmora/"));
    EXPECT_EQ(unpacked.helpFile, root.file("usr/share/kelmora/kelmora.hlp"));
}

TEST(DataFolder, AFolderTheUserCannotWriteKeepsNoData) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any folder: run as another user for this case";
    TempFolder root;
    RealFileSystem files;
    const UserFolders user{root.file("data"), root.dir()};
    const std::string stick = root.file("stick");
    std::filesystem::create_directories(stick);
    EXPECT_EQ(locateCalendarFolders(files, stick, user).data, stick + "/");
    std::filesystem::permissions(stick, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(locateCalendarFolders(files, stick, user).data, root.file("data/kelmora/"));
    std::filesystem::permissions(stick, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace kelmora
