// Saves killed with SIGKILL at random moments, as a power cut or "kill -9"
// ends them: a child process saves again and again until it is killed, and
// afterwards the file is always a whole old or new one, never torn.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <thread>

#include "main/file_system.h"
#include "main/month_file_format.h"
#include "main/month_store.h"
#include "settei/settings_file.h"
#include "../core/temp_folder.h"

namespace kelmora {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr int kKills = 200;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int temporariesIn(const std::string& dir) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir)) count += entry.path().extension() == ".tmp";
    return count;
}

struct KillRun {
    int whole = 0;            // kills after which the file was one of the whole versions
    int leftTemporary = 0;    // kills that landed inside a save (its temporary file was left)
};

// Kills a child running `saveForever` kKills times, each after a random
// pause of up to a few saves' time, and checks the file after each kill.
KillRun killWhileSaving(const std::string& dir, const std::string& path, const std::function<void(long)>& save,
                        const std::set<std::string>& wholeVersions) {
    // A pause long enough to land anywhere in a save, measured here.
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < 6; ++i) save(i);
    const auto perSave = (std::chrono::steady_clock::now() - start) / 6;
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(perSave * 3) + std::chrono::microseconds(500);
    std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<long> pause(0, longest.count());

    KillRun run;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (long i = kill;; ++i) save(i);
            ::_exit(0);
        }
        EXPECT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = contents(path);
        if (wholeVersions.count(now)) ++run.whole;
        else ADD_FAILURE() << "torn after kill " << kill << ": " << now.size() << " bytes";
        run.leftTemporary += temporariesIn(dir) > 0;
    }
    // The next save that writes clears what the kills left (a save that
    // finds its bytes on disk already writes nothing: one of the two does).
    save(0);
    save(1);
    EXPECT_EQ(temporariesIn(dir), 0);
    return run;
}

void report(const char* what, const KillRun& run) {
    std::printf("%s: %d of %d kills left the file whole; %d landed inside a save\n", what, run.whole, kKills,
                run.leftTemporary);
}

MonthModel mayWith(char letter, std::size_t length) {
    MonthModel month;
    month.year = 2024;
    month.month = 5;
    EXPECT_TRUE(month.buildMonth());
    for (int week = 1; week <= month.weekRows; ++week)
        for (int col = 0; col < kColumns; ++col) month.memos[col][week].text = std::string(length, letter);
    return month;
}

TEST(SaveUnderKill, AMonthFileIsAlwaysTheOldOrTheNewOne) {
    TempFolder folder;
    RealFileSystem files;
    struct Silent : Prompts {
        Answer ask(MessageIcon, Buttons, const std::string&) override { return Answer::Abort; }
    } prompts;
    MonthStore store(files, prompts, folder.dir());
    // Two versions of different lengths, large enough for a save to take a while.
    MonthModel versions[2] = {mayWith('a', 3000), mayWith('b', 1700)};
    const std::set<std::string> whole = {*encodeMonthFile(versions[0]), *encodeMonthFile(versions[1])};
    const auto save = [&](long i) {
        MonthModel& month = versions[i % 2];
        month.dirty = true;
        store.saveMonth(month, false, OnSaveFailure::report());
    };
    const KillRun run = killWhileSaving(folder.dir(), folder.file("202405.wmd"), save, whole);
    report("month file", run);
    EXPECT_EQ(run.whole, kKills);
    EXPECT_GT(run.leftTemporary, 0) << "no kill landed inside a save";
}

TEST(SaveUnderKill, TheSettingsFileIsAlwaysAWholeOne) {
    TempFolder folder, scratch;
    RealFileSystem files;
    SettingsFile settings(files, folder.dir());
    // Every whole file the two window position keys can leave, as the
    // program writes them.
    const int positions[] = {100, 2000};
    std::set<std::string> whole;
    for (int top : positions) {
        for (int left : positions) {
            SettingsFile built(files, scratch.dir());
            ASSERT_FALSE(built.writeWindowPosition(positions[0], positions[0]));
            ASSERT_FALSE(built.writeWindowPosition(top, left));
            whole.insert(contents(built.path()));
        }
    }
    const auto save = [&](long i) { (void)settings.writeWindowPosition(positions[i % 2], positions[i % 2]); };
    const KillRun run = killWhileSaving(folder.dir(), settings.path(), save, whole);
    report("kelmora.ini", run);
    EXPECT_EQ(run.whole, kKills);
    EXPECT_GT(run.leftTemporary, 0) << "no kill landed inside a save";
}

}  // namespace
}  // namespace kelmora
