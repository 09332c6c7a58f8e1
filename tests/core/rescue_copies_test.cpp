#include "main/rescue_copies.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "built_month.h"
#include "main/month_file_format.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::TempFolder;
using testing::built;

MonthModel monthWith(int year, int month, const std::string& text) {
    MonthModel m = built(year, month);
    m.memos[3][2].text = text;
    m.dirty = true;
    return m;
}

std::string memoIn(const std::string& bytes, int year, int month) {
    MonthModel m = built(year, month);
    if (!decodeMonthFile(bytes, m)) return "(unreadable)";
    return m.memos[3][2].text;
}

unsigned modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

struct RescueTest : ::testing::Test {
    TempFolder home;
    RealFileSystem files;
    std::string folder = home.file("kelmora/rescue/");
    RescueCopies copies{files, folder};
};

TEST_F(RescueTest, AMonthIsKeptInTheMonthFormatOneCopyPerMonthAndRun) {
    const LocalTime first{{2024, 5, 10}, 9, 30, 5};
    const RescueResult kept = copies.keep(monthWith(2024, 5, "draft"), first);
    ASSERT_TRUE(kept.ok()) << kept.cause;
    EXPECT_EQ(kept.path, folder + "202405-20240510-093005.wmd");
    EXPECT_EQ(memoIn(home.get("kelmora/rescue/202405-20240510-093005.wmd"), 2024, 5), "draft");
    EXPECT_EQ(modeOf(folder), 0700u) << "a diary stays private";
    EXPECT_EQ(modeOf(kept.path), 0600u);

    // Later changes of the month go to the same copy; another month has its own.
    const RescueResult again = copies.keep(monthWith(2024, 5, "final"), {{2024, 5, 10}, 9, 45, 0});
    EXPECT_EQ(again.path, kept.path);
    EXPECT_EQ(memoIn(home.get("kelmora/rescue/202405-20240510-093005.wmd"), 2024, 5), "final");
    const RescueResult june = copies.keep(monthWith(2024, 6, "june"), {{2024, 5, 10}, 9, 46, 0});
    EXPECT_EQ(june.path, folder + "202406-20240510-094600.wmd");

    // Once May reached its own file, its copy goes; June's stays.
    copies.discard(2024, 5);
    EXPECT_FALSE(home.has("kelmora/rescue/202405-20240510-093005.wmd"));
    EXPECT_TRUE(home.has("kelmora/rescue/202406-20240510-094600.wmd"));

    // A copy an earlier run made in the same second is not overwritten.
    RescueCopies nextRun(files, folder);
    EXPECT_EQ(nextRun.keep(monthWith(2024, 6, "other"), {{2024, 5, 10}, 9, 46, 0}).path,
              folder + "202406-20240510-094600-2.wmd");
    EXPECT_EQ(memoIn(home.get("kelmora/rescue/202406-20240510-094600.wmd"), 2024, 6), "june");
}

TEST_F(RescueTest, EachCopyIsToldAboutOnceAtTheNextStart) {
    EXPECT_TRUE(copies.takeUntold().empty()) << "no folder yet";
    copies.keep(monthWith(2024, 5, "a"), {{2024, 5, 10}, 9, 0, 0});
    copies.keep(monthWith(2024, 4, "b"), {{2024, 5, 10}, 9, 0, 1});

    RescueCopies next(files, folder);
    EXPECT_EQ(next.takeUntold(),
              (std::vector<std::string>{"202404-20240510-090001.wmd", "202405-20240510-090000.wmd"}));
    EXPECT_TRUE(RescueCopies(files, folder).takeUntold().empty()) << "told once";

    next.keep(monthWith(2024, 6, "c"), {{2024, 6, 1}, 8, 0, 0});
    EXPECT_EQ(RescueCopies(files, folder).takeUntold(), (std::vector<std::string>{"202406-20240601-080000.wmd"}));
}

TEST_F(RescueTest, AFolderThatCannotBeMadeIsReportedWithItsCause) {
    home.put("kelmora", "a file where the folder should be");
    const RescueResult kept = copies.keep(monthWith(2024, 5, "draft"), {{2024, 5, 10}, 9, 0, 0});
    EXPECT_FALSE(kept.ok());
    EXPECT_FALSE(kept.cause.empty());
    EXPECT_EQ(RescueCopies(files, "").keep(monthWith(2024, 5, "x"), {}).ok(), false);
}

// A disk with no space left: every new file and every replacement fails,
// but blocks already allocated can still be written.
class FullDisk : public RealFileSystem {
public:
    bool full = false;
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        if (full) return {WriteStatus::WriteFailed, {FileProblem::DiskFull, ENOSPC}};
        return RealFileSystem::replaceFile(path, bytes);
    }
};

TEST_F(RescueTest, OnAFullDiskTheCopyGoesIntoTheSpaceKeptInReserve) {
    FullDisk disk;
    RescueCopies reserved(disk, folder);
    reserved.keepReserve();
    EXPECT_TRUE(home.has("kelmora/rescue/.reserve"));
    disk.full = true;
    const RescueResult kept = reserved.keep(monthWith(2024, 5, "typed on a full disk"), {{2024, 5, 10}, 9, 0, 0});
    ASSERT_TRUE(kept.ok()) << kept.cause;
    EXPECT_EQ(memoIn(home.get("kelmora/rescue/202405-20240510-090000.wmd"), 2024, 5), "typed on a full disk");
    EXPECT_EQ(home.get("kelmora/rescue/202405-20240510-090000.wmd"), *encodeMonthFile(monthWith(2024, 5, "typed on a full disk")))
        << "exactly the month file, nothing of the reserve after it";
    EXPECT_EQ(modeOf(kept.path), 0600u);
    EXPECT_FALSE(home.has("kelmora/rescue/.reserve"));

    // Used up: the next copy fails and says why; space again, a new reserve.
    EXPECT_FALSE(reserved.keep(monthWith(2024, 5, "more"), {{2024, 5, 10}, 9, 1, 0}).ok());
    disk.full = false;
    reserved.keepReserve();
    EXPECT_TRUE(home.has("kelmora/rescue/.reserve"));
    EXPECT_EQ(RescueCopies(disk, folder).takeUntold(), (std::vector<std::string>{"202405-20240510-090000.wmd"}))
        << "the reserve is no copy";
}

}  // namespace
}  // namespace kelmora
