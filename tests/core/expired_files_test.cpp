#include "main/expired_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "main/cp932.h"
#include "main/month_files.h"
#include "memo_file_test_support.h"

namespace kelmora {
namespace {

using testing::ScriptedPrompts;
using testing::TempFolder;

// The real folder, listed in a fixed order (a directory lists in its own
// order), with deletions that can be made to fail.
class OrderedFileSystem : public RealFileSystem {
public:
    std::vector<std::string> order;
    std::string undeletable;

    std::vector<std::string> listFiles(const std::string& dir, const std::string& suffix) const override {
        std::vector<std::string> names = RealFileSystem::listFiles(dir, suffix);
        auto rank = [&](const std::string& name) { return std::find(order.begin(), order.end(), name) - order.begin(); };
        std::sort(names.begin(), names.end(), [&](const auto& a, const auto& b) {
            return rank(a) != rank(b) ? rank(a) < rank(b) : a < b;
        });
        return names;
    }
    bool removeFile(const std::string& path) override {
        return path.ends_with("/" + undeletable) ? false : RealFileSystem::removeFile(path);
    }
};

struct CleanupTest : ::testing::Test {
    TempFolder folder;
    OrderedFileSystem files;
    ScriptedPrompts prompts;

    void create(std::initializer_list<const char*> names) {
        for (const char* name : names) folder.put(name, "x");
    }
    CleanupOutcome cleanUp(Date today, int monthsBack) {
        FixedClock clock(today);
        return deleteExpiredMemoFiles(files, prompts, clock, folder.dir(), monthsBack);
    }
    std::vector<std::string> namesIn(const std::string& dir) {
        std::vector<std::string> names;
        for (const MonthFile& file : listMemoFiles(files, dir)) names.push_back(file.name);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string question(const char* yearMonth) {
        return cp932::literal(yearMonth) +
               cp932::literal("より前のメモデータファイルを全て削除します。\r\nよろしいですか？");
    }
};

TEST(ExpiryCutOff, StepsBackWholeMonthsFromTheFirst) {
    struct Case {
        Date today;
        int monthsBack;
        Date cutOff;
    } cases[] = {
        {{2024, 5, 10}, 1, {2024, 4, 1}},  {{2024, 1, 31}, 0, {2024, 1, 1}},  {{2024, 1, 15}, 1, {2023, 12, 1}},
        {{2024, 3, 1}, 11, {2023, 4, 1}},  {{2024, 5, 31}, 5, {2023, 12, 1}}, {{2024, 12, 31}, 11, {2024, 1, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expiryCutOff(c.today, c.monthsBack), c.cutOff) << c.today.year << "/" << c.today.month << " N " << c.monthsBack;
}

TEST_F(CleanupTest, ListsOnlyTheMonthFilesTheCalendarWrites) {
    create({"202404.wmd", "202405.WMD", "201904.Wmd", "202404.wmd.unreadable", "202404.wmd.tmp", "kelmora.ini",
            "notes.txt", "202404 (PC's conflicted copy 2024-05-01).wmd"});
    std::filesystem::create_directory(folder.file("202301.wmd"));
    EXPECT_EQ(namesIn(folder.dir().substr(0, folder.dir().size() - 1)), (std::vector<std::string>{"202404.wmd"}));
}

TEST_F(CleanupTest, TenthOfMayWithTwoMonthsKeepsAprilAndLater) {
    create({"202312.wmd", "202402.wmd", "202403.wmd", "202404.wmd", "202405.wmd", "202406.wmd", "203001.wmd",
            "202403.wmd.unreadable"});
    files.undeletable = "202402.wmd";  // passed over silently
    prompts.then(Answer::Yes);
    EXPECT_EQ(cleanUp({2024, 5, 10}, 1), CleanupOutcome::Deleted);

    ASSERT_EQ(prompts.asked.size(), 1u) << "one question per close";
    EXPECT_EQ(prompts.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompts.asked[0].text, question("2024年4月"));
    EXPECT_FALSE(folder.has("202312.wmd"));
    EXPECT_FALSE(folder.has("202403.wmd"));
    for (const char* kept : {"202402.wmd", "202404.wmd", "202405.wmd", "202406.wmd", "203001.wmd",
                             "202403.wmd.unreadable"})
        EXPECT_TRUE(folder.has(kept)) << kept;
}

TEST_F(CleanupTest, NextMonthSettingInJanuaryDeletesThePreviousYear) {
    create({"202401.wmd", "202406.wmd", "202412.wmd", "202501.wmd", "202502.wmd"});
    prompts.then(Answer::Yes);
    EXPECT_EQ(cleanUp({2025, 1, 20}, 0), CleanupOutcome::Deleted);
    EXPECT_EQ(prompts.asked.at(0).text, question("2025年1月"));
    EXPECT_EQ(namesIn(folder.dir()), (std::vector<std::string>{"202501.wmd", "202502.wmd"}));
}

TEST_F(CleanupTest, AsksOnlyWhenAFileIsExpiredAndNoDeletesNothing) {
    create({"202405.wmd", "202406.wmd"});
    EXPECT_EQ(cleanUp({2024, 5, 10}, 0), CleanupOutcome::NothingExpired);
    EXPECT_TRUE(prompts.asked.empty());

    create({"202401.wmd", "202402.wmd"});
    prompts.then(Answer::No);
    EXPECT_EQ(cleanUp({2024, 5, 10}, 0), CleanupOutcome::Refused);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(namesIn(folder.dir()).size(), 4u);
}

TEST_F(CleanupTest, OtherNamesAreLeftAloneAndDoNotStopTheCleanup) {
    // Names the calendar never writes, nor reads: in other letters, a sync
    // tool's conflict copies, a user's copy.
    const char* others[] = {"201912 コピー.wmd", "notes.wmd", "201912(1).wmd", "201903.WMD", "201904.Wmd",
                            "201911 (PC's conflicted copy 2024-01-02).wmd",
                            "201911.sync-conflict-20240102-101500-ABCDEFG.wmd"};
    create({"201911.wmd", "202401.wmd", "202402.wmd"});
    for (const char* other : others) create({other});
    files.order = {"201912 コピー.wmd", "notes.wmd", "201911.wmd", "201912(1).wmd", "202401.wmd", "202402.wmd"};
    prompts.then(Answer::Yes);
    EXPECT_EQ(cleanUp({2024, 5, 10}, 1), CleanupOutcome::Deleted);
    ASSERT_EQ(prompts.asked.size(), 1u) << "the question only, no error";
    for (const char* gone : {"201911.wmd", "202401.wmd", "202402.wmd"}) EXPECT_FALSE(folder.has(gone)) << gone;
    for (const char* other : others) EXPECT_TRUE(folder.has(other)) << other;
}

}  // namespace
}  // namespace kelmora
