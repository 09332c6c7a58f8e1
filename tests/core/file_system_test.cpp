// The real files against what users and accidents leave in the program's
// folder: links, pipes, devices, huge files, a full disk, old temporaries.

#include "main/file_system.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "temp_folder.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr std::size_t kLimit = 1 << 20;

unsigned modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// The names in a folder, sorted.
std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Sized {
    const char* what;
    std::function<void(const std::string&)> make;
    FileProblem problem;
};

TEST(ReadingFiles, OnlyRegularFilesWithinTheLimitAreReadAndNothingWaits) {
    TempFolder folder;
    folder.put("target", "linked bytes");
    const Sized cases[] = {
        {"missing", [](const std::string&) {}, FileProblem::NotFound},
        {"a pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, FileProblem::NotRegularFile},
        {"a link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }, FileProblem::NotRegularFile},
        {"a folder", [](const std::string& p) { fs::create_directory(p); }, FileProblem::NotRegularFile},
        {"16 MiB", [](const std::string& p) {
             std::ofstream(p, std::ios::binary) << "x";
             fs::resize_file(p, 16u << 20);
         }, FileProblem::TooLarge},
        {"one byte too many", [](const std::string& p) { std::ofstream(p, std::ios::binary) << std::string(kLimit + 1, 'x'); },
         FileProblem::TooLarge},
        {"a link loop", [](const std::string& p) { fs::create_symlink(p, p); }, FileProblem::LinkLoop},
    };
    RealFileSystem files;
    int number = 0;
    for (const Sized& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.file("case" + std::to_string(++number));
        c.make(path);
        const auto start = std::chrono::steady_clock::now();
        const ReadResult read = files.readFile(path, kLimit);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(read.status, ReadResult::CannotOpen);
        EXPECT_EQ(read.error.problem, c.problem);
        EXPECT_TRUE(read.bytes.empty());
    }

    folder.put("exactly", std::string(kLimit, 'y'));
    EXPECT_EQ(files.readFile(folder.file("exactly"), kLimit).bytes.size(), kLimit);
    fs::create_symlink("target", folder.file("link"));
    const ReadResult linked = files.readFile(folder.file("link"), kLimit);
    EXPECT_EQ(linked.status, ReadResult::Ok);
    EXPECT_EQ(linked.bytes, "linked bytes");
}

// A month file kept elsewhere (a synced folder) through a link: the file it
// leads to is replaced in its own folder and the link stays a link.
TEST(ReplacingFiles, ThroughLinksTheFileLedToIsReplaced) {
    struct Case {
        const char* what;
        std::function<std::string(const TempFolder&)> link;  // makes the link, returns the file it leads to
    } cases[] = {
        {"absolute", [](const TempFolder& f) {
             f.put("synced/202405.wmd", "old");
             fs::create_symlink(f.file("synced/202405.wmd"), f.file("202405.wmd"));
             return f.file("synced/202405.wmd");
         }},
        {"relative", [](const TempFolder& f) {
             f.put("synced/202405.wmd", "old");
             fs::create_symlink("synced/202405.wmd", f.file("202405.wmd"));
             return f.file("synced/202405.wmd");
         }},
        {"a chain", [](const TempFolder& f) {
             f.put("synced/real.wmd", "old");
             fs::create_symlink("real.wmd", f.file("synced/step.wmd"));
             fs::create_symlink("synced/step.wmd", f.file("202405.wmd"));
             return f.file("synced/real.wmd");
         }},
        {"dangling", [](const TempFolder& f) {
             fs::create_symlink("synced/new.wmd", f.file("202405.wmd"));
             return f.file("synced/new.wmd");
         }},
    };
    RealFileSystem files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        fs::create_directory(folder.file("synced"));
        const std::string target = c.link(folder);
        ASSERT_TRUE(files.replaceFile(folder.file("202405.wmd"), "new").ok());
        EXPECT_TRUE(fs::is_symlink(folder.file("202405.wmd")));
        EXPECT_EQ(folder.get("202405.wmd"), "new");
        std::ifstream in(target, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
        EXPECT_EQ(namesIn(folder.dir()), (std::vector<std::string>{"202405.wmd", "synced"})) << "no temporary left";
        for (const std::string& name : namesIn(folder.file("synced"))) EXPECT_FALSE(name.ends_with(".tmp")) << name;
    }
}

TEST(ReplacingFiles, KeepThePermissionsOfTheFileReplacedAndNewOnesAreTheOwners) {
    TempFolder folder;
    RealFileSystem files;
    const mode_t oldMask = ::umask(022);
    for (unsigned mode : {0600u, 0640u, 0664u}) {
        folder.put("202405.wmd", "old");
        ASSERT_EQ(::chmod(folder.file("202405.wmd").c_str(), mode), 0);
        ASSERT_TRUE(files.replaceFile(folder.file("202405.wmd"), "new").ok());
        EXPECT_EQ(modeOf(folder.file("202405.wmd")), mode);
    }
    ASSERT_TRUE(files.replaceFile(folder.file("kelmora.ini"), "[form]\r\n").ok());
    EXPECT_EQ(modeOf(folder.file("kelmora.ini")), 0600u);
    ::umask(oldMask);

    // A file made read-only is not replaced.
    ASSERT_EQ(::chmod(folder.file("kelmora.ini").c_str(), 0400), 0);
    const WriteResult refused = files.replaceFile(folder.file("kelmora.ini"), "other");
    EXPECT_EQ(refused.status, WriteStatus::CannotCreate);
    EXPECT_EQ(refused.error.problem, FileProblem::NoPermission);
    EXPECT_EQ(folder.get("kelmora.ini"), "[form]\r\n");
}

TEST(ReplacingFiles, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    TempFolder folder;
    RealFileSystem files;
    ASSERT_EQ(::mkfifo(folder.file("kelmora.ini").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder.file("202405.wmd"));
    for (const char* name : {"kelmora.ini", "202405.wmd"}) {
        const WriteResult result = files.replaceFile(folder.file(name), "bytes");
        EXPECT_EQ(result.status, WriteStatus::CannotCreate) << name;
        EXPECT_EQ(result.error.problem, FileProblem::NotRegularFile) << name;
    }
    EXPECT_TRUE(fs::is_fifo(folder.file("kelmora.ini")));
    EXPECT_EQ(namesIn(folder.dir()), (std::vector<std::string>{"202405.wmd", "kelmora.ini"}));
}

TEST(ReplacingFiles, OurStaleTemporariesGoAtTheNextSaveAndNothingElse) {
    TempFolder folder;
    RealFileSystem files;
    folder.put("notes.txt", "keep");
    fs::create_symlink("notes.txt", folder.file("202405.wmd.linkedtemp.tmp"));
    const std::vector<std::string> stale = {"202405.wmd.tmp", "202405.wmd.a1b2c3d4e5.tmp"};
    const std::vector<std::string> others = {"202405.wmd.A1B2C3D4E5.tmp", "202406.wmd.a1b2c3d4e5.tmp",
                                             "202405.wmd.a1b2c3.tmp", "x202405.wmd.a1b2c3d4e5.tmp", "notes.tmp"};
    for (const auto& name : stale) folder.put(name, "left by a kill");
    for (const auto& name : others) folder.put(name, "someone else's");
    ASSERT_TRUE(files.replaceFile(folder.file("202405.wmd"), "new").ok());
    for (const auto& name : stale) EXPECT_FALSE(folder.has(name)) << name;
    for (const auto& name : others) EXPECT_TRUE(folder.has(name)) << name;
    EXPECT_TRUE(fs::is_symlink(folder.file("202405.wmd.linkedtemp.tmp")));
    EXPECT_EQ(folder.get("notes.txt"), "keep");
}

// The disk fills up (or the rename fails) half way: the old file stays whole
// and the temporary file goes.
class FailingStep : public RealFileSystem {
public:
    int writeError = 0, renameError = 0;

protected:
    int writeTemporary(const native::FileHandle& file, std::string_view bytes) override {
        if (!writeError) return RealFileSystem::writeTemporary(file, bytes);
        RealFileSystem::writeTemporary(file, bytes.substr(0, bytes.size() / 2));
        return writeError;
    }
    int commitReplacement(const std::string& temporary, const std::string& target) override {
        return renameError ? renameError : RealFileSystem::commitReplacement(temporary, target);
    }
};

TEST(ReplacingFiles, AFailureHalfWayLeavesTheOldFileAndNoTemporary) {
    struct Case {
        int writeError, renameError;
        FileProblem problem;
    } cases[] = {
        {ENOSPC, 0, FileProblem::DiskFull},
        {EDQUOT, 0, FileProblem::DiskFull},
        {EIO, 0, FileProblem::Other},
        {0, EROFS, FileProblem::ReadOnly},
        {0, EACCES, FileProblem::NoPermission},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writeError + c.renameError);
        TempFolder folder;
        folder.put("202405.wmd", "the old month");
        FailingStep files;
        files.writeError = c.writeError;
        files.renameError = c.renameError;
        const WriteResult result = files.replaceFile(folder.file("202405.wmd"), std::string(100000, 'n'));
        EXPECT_EQ(result.status, WriteStatus::WriteFailed);
        EXPECT_EQ(result.error.problem, c.problem);
        EXPECT_FALSE(describeFileError(result.error).empty());
        EXPECT_EQ(folder.get("202405.wmd"), "the old month");
        EXPECT_EQ(namesIn(folder.dir()), (std::vector<std::string>{"202405.wmd"}));
    }
}

TEST(Folders, NewFoldersAreTheOwnersAndAMissingFolderTakesNoFiles) {
    TempFolder folder;
    RealFileSystem files;
    ASSERT_EQ(::chmod(folder.dir().c_str(), 0755), 0);
    EXPECT_FALSE(files.createFolders(folder.file("kelmora/rescue/")).failed());
    EXPECT_EQ(modeOf(folder.file("kelmora")), 0700u);
    EXPECT_EQ(modeOf(folder.file("kelmora/rescue")), 0700u);
    EXPECT_EQ(modeOf(folder.dir()), 0755u) << "a folder that was there is left as it was";
    EXPECT_FALSE(files.createFolders(folder.file("kelmora/rescue")).failed()) << "once there, nothing to do";

    folder.put("plain", "x");
    EXPECT_TRUE(files.createFolders(folder.file("plain/rescue")).failed());
    EXPECT_FALSE(files.checkWritableFolder(folder.dir()).failed());
    EXPECT_EQ(files.checkWritableFolder(folder.file("missing")).problem, FileProblem::NotFound);
}

// Another process on the folder: the lock makes the second one wait while
// the first holds it, and the system frees it when the holder dies, even by
// SIGKILL (nothing is left behind to break the next start).
TEST(FolderLocks, AnotherProcessWaitsForTheHolderAndADeadHolderHoldsNothing) {
    TempFolder folder;
    RealFileSystem files;
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "holder killed" : "holder lets go");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t holder = ::fork();
        if (holder == 0) {
            RealFileSystem own;
            const std::unique_ptr<FolderLock> lock = own.lockFolder(folder.dir());
            const char byte = lock ? 1 : 0;
            [[maybe_unused]] auto written = ::write(ready[1], &byte, 1);
            if (killed) ::pause();
            ::usleep(300 * 1000);
            ::_exit(0);
        }
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ASSERT_EQ(byte, 1) << "the holder got its lock";
        ::close(ready[0]);
        ::close(ready[1]);
        if (killed) ::kill(holder, SIGKILL);
        const auto start = std::chrono::steady_clock::now();
        const std::unique_ptr<FolderLock> lock = files.lockFolder(folder.dir());
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(lock);
        if (killed) EXPECT_LT(waited, std::chrono::milliseconds(200));
        else EXPECT_GE(waited, std::chrono::milliseconds(150)) << "it waited for the holder";
        int status = 0;
        ::waitpid(holder, &status, 0);
    }
    EXPECT_EQ(namesIn(folder.dir()), std::vector<std::string>{}) << "no lock file";
}

TEST(Reserve, AllocatedBeforehandItTakesACopyAndItsName) {
    TempFolder folder;
    RealFileSystem files;
    const std::string reserve = folder.file(".reserve");
    ASSERT_FALSE(files.reserveSpace(reserve, 100000).failed());
    struct stat st {};
    ASSERT_EQ(::stat(reserve.c_str(), &st), 0);
    EXPECT_GE(st.st_size, 100000);
    EXPECT_GE(static_cast<long long>(st.st_blocks) * 512, 100000) << "the blocks are there, not a hole";
    EXPECT_EQ(modeOf(reserve), 0600u);
    EXPECT_FALSE(files.reserveSpace(reserve, 100000).failed()) << "made once";

    folder.put("202405-20240510-093000.wmd", "an older copy");
    const WriteResult written = files.writeIntoReserve(reserve, folder.file("202405-20240510-093000.wmd"), "the month");
    EXPECT_TRUE(written.ok());
    EXPECT_EQ(folder.get("202405-20240510-093000.wmd"), "the month");
    EXPECT_FALSE(folder.has(".reserve")) << "used up";
    EXPECT_EQ(written.stamp, files.stampOf(folder.file("202405-20240510-093000.wmd")));
    EXPECT_FALSE(files.writeIntoReserve(reserve, folder.file("again.wmd"), "x").ok());
}

TEST(Stamps, TellAReplacedOrRewrittenFileFromTheOneWrittenOrRead) {
    TempFolder folder;
    RealFileSystem files;
    const std::string path = folder.file("202405.wmd");
    EXPECT_FALSE(files.stampOf(path).exists);
    const WriteResult written = files.replaceFile(path, "one");
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.stamp, files.stampOf(path)) << "a rename keeps what the write saw";
    EXPECT_EQ(files.readFile(path, kLimit).stamp, written.stamp);

    folder.put("incoming", "two");
    fs::rename(folder.file("incoming"), path);
    EXPECT_NE(files.stampOf(path), written.stamp) << "replaced by rename";
    const FileStamp renamed = files.stampOf(path);
    std::ofstream(path, std::ios::binary | std::ios::app) << "!";
    EXPECT_NE(files.stampOf(path), renamed) << "written in place";
}

}  // namespace
}  // namespace kelmora
