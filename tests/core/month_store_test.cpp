#include "main/month_store.h"

#include <gtest/gtest.h>

#include "built_month.h"

#include <deque>

#include "main/cp932.h"
#include "main/month_file_format.h"
#include "memo_file_test_support.h"

namespace kelmora {
namespace {

using testing::ScriptedPrompts;
using testing::TempFolder;

using testing::built;

void writeMemo(MonthModel& m, int day, const std::string& text) {
    int col = 0, week = 0;
    m.cellOfDay(day, col, week);
    m.memos[col][week].text = text;
    m.dirty = true;
}

std::string memoOf(const MonthModel& m, int day) {
    int col = 0, week = 0;
    m.cellOfDay(day, col, week);
    return m.memos[col][week].text;
}

// The real files, with replacements and renames that fail on demand.
class FlakyFileSystem : public RealFileSystem {
public:
    std::deque<WriteStatus> failures;  // returned, in order, instead of writing
    int replaceCalls = 0;
    bool renameFails = false;
    bool cannotOpen = false;

    WriteStatus replaceFile(const std::string& path, std::string_view bytes) override {
        ++replaceCalls;
        if (!failures.empty()) {
            WriteStatus status = failures.front();
            failures.pop_front();
            return status;
        }
        return RealFileSystem::replaceFile(path, bytes);
    }
    bool renameFile(const std::string& from, const std::string& to) override {
        return !renameFails && RealFileSystem::renameFile(from, to);
    }
    ReadResult readFile(const std::string& path) const override {
        if (cannotOpen) return {ReadResult::CannotOpen, {}};
        return RealFileSystem::readFile(path);
    }
};

struct StoreTest : ::testing::Test {
    TempFolder folder;
    FlakyFileSystem files;
    ScriptedPrompts prompts;
    MonthStore store{files, prompts, folder.dir()};
    const std::string writeError = cp932::literal("メモデータ書き込みエラー");
    const std::string readError = cp932::literal("メモデータ読み込みエラー");

    MonthModel loaded(int year, int month, bool mondayStart = false) {
        MonthModel m = built(year, month, mondayStart);
        store.loadMonth(m);
        return m;
    }
    // A May 2024 file holding "kept" on the 10th.
    std::string existingMayFile() {
        MonthModel may = built(2024, 5);
        writeMemo(may, 10, "kept");
        EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
        return folder.get("202405.wmd");
    }
};

TEST_F(StoreTest, WritesOnlyWhenDirtyAndSomethingIsThere) {
    MonthModel may = built(2024, 5);
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::NotDirty);
    may.dirty = true;
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::NothingToWrite);
    EXPECT_FALSE(folder.has("202405.wmd")) << "no file for a month that never held anything";
    EXPECT_TRUE(may.dirty);

    // A colour alone is something to keep.
    may.memos[3][2].hasBackColor = 1;
    may.memos[3][2].backColor = rgb(1, 2, 3);
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_FALSE(may.dirty);
    EXPECT_EQ(loaded(2024, 5).memos[3][2].hasBackColor, 1);

    // Emptied again: the existing file is rewritten empty, not left or deleted.
    may.memos[3][2].hasBackColor = 0;
    may.dirty = true;
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    ASSERT_TRUE(folder.has("202405.wmd"));
    EXPECT_EQ(loaded(2024, 5).memos[3][2].hasBackColor, 0);
}

TEST_F(StoreTest, TheArrowToolBetweenItsClicksKeepsTheMonthUnsaved) {
    MonthModel may = built(2024, 5);
    writeMemo(may, 3, "trip");
    EXPECT_EQ(store.saveMonth(may, true), SaveOutcome::Written);
    EXPECT_TRUE(may.dirty);
    EXPECT_EQ(memoOf(loaded(2024, 5), 3), "trip");
}

TEST_F(StoreTest, LoadReplacesTheMemoDataAndLeavesDirtyAlone) {
    existingMayFile();
    MonthModel may = built(2024, 5);
    writeMemo(may, 20, "typed before the load");
    may.memos[0][1].selected = 1;
    may.dirty = true;
    EXPECT_EQ(store.loadMonth(may), LoadOutcome::Loaded);
    EXPECT_EQ(memoOf(may, 10), "kept");
    EXPECT_EQ(memoOf(may, 20), "");
    EXPECT_EQ(may.memos[0][1].selected, 0);
    EXPECT_TRUE(may.dirty);
    EXPECT_TRUE(may.arrowDataLoaded);

    MonthModel june = built(2024, 6);
    june.arrowDataLoaded = true;
    EXPECT_EQ(store.loadMonth(june), LoadOutcome::NoFile);
    EXPECT_FALSE(june.arrowDataLoaded);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(StoreTest, AWriteErrorAsksAbortOrRetry) {
    const std::string before = existingMayFile();
    MonthModel may = loaded(2024, 5);
    writeMemo(may, 11, "new");

    // Retry writes again from the start.
    files.failures = {WriteStatus::WriteFailed};
    prompts.then(Answer::Retry);
    files.replaceCalls = 0;
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(files.replaceCalls, 2);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::AbortRetry);
    EXPECT_EQ(prompts.asked[0].text, writeError);
    EXPECT_EQ(memoOf(loaded(2024, 5), 11), "new");
    EXPECT_FALSE(store.lastSaveFailed());

    // Abort gives up: the file stays as it was.
    const std::string written = folder.get("202405.wmd");
    writeMemo(may, 12, "lost on abort");
    files.failures = {WriteStatus::WriteFailed};
    prompts.then(Answer::Abort);
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Failed);
    EXPECT_EQ(folder.get("202405.wmd"), written);
    EXPECT_FALSE(may.dirty);
    EXPECT_TRUE(store.lastSaveFailed());
    EXPECT_NE(written, before);
}

TEST_F(StoreTest, AFileThatCannotBeCreatedIsTheCallersAndIdleSavesDoNotRepeatIt) {
    MonthModel may = built(2024, 5);
    writeMemo(may, 1, "first");
    files.failures = {WriteStatus::CannotCreate, WriteStatus::CannotCreate, WriteStatus::CannotCreate};
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::CannotCreate);
    EXPECT_TRUE(prompts.asked.empty()) << "the window reports it";
    EXPECT_TRUE(may.dirty);
    EXPECT_TRUE(store.lastSaveFailed());

    // Idle moments pass without trying the same save again...
    files.replaceCalls = 0;
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::HeldAfterFailure);
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::HeldAfterFailure);
    EXPECT_EQ(files.replaceCalls, 0);
    // ...an explicit save tries, and so does the idle save once the month changed.
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::CannotCreate);
    writeMemo(may, 2, "second");
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::CannotCreate);
    EXPECT_EQ(files.replaceCalls, 2);
    // Once the file can be written again, everything lands.
    writeMemo(may, 3, "third");
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::Written);
    EXPECT_FALSE(store.lastSaveFailed());
    MonthModel back = loaded(2024, 5);
    EXPECT_EQ(memoOf(back, 1) + memoOf(back, 2) + memoOf(back, 3), "firstsecondthird");
}

TEST_F(StoreTest, AMemoTooLongForItsLengthIsAWriteErrorAndTheFileStays) {
    const std::string before = existingMayFile();
    MonthModel may = loaded(2024, 5);
    writeMemo(may, 4, std::string(kMaxMemoBytes + 1, 'x'));
    prompts.then(Answer::Retry);
    prompts.then(Answer::Abort);
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Failed);
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text, writeError);
    EXPECT_EQ(folder.get("202405.wmd"), before);
}

// The program dies after the new file is on the disk, before it is renamed.
struct CrashBeforeRename : RealFileSystem {
    struct Died {};
    bool commitReplacement(const std::string&, const std::string&) override { throw Died{}; }
};

TEST_F(StoreTest, DyingBetweenWriteAndRenameLeavesTheOldFile) {
    const std::string before = existingMayFile();
    CrashBeforeRename dying;
    MonthStore doomed(dying, prompts, folder.dir());
    MonthModel may = loaded(2024, 5);
    writeMemo(may, 10, "half written");
    EXPECT_THROW(doomed.saveMonth(may, false), CrashBeforeRename::Died);

    EXPECT_EQ(folder.get("202405.wmd"), before);
    EXPECT_EQ(memoOf(loaded(2024, 5), 10), "kept");
}

TEST_F(StoreTest, AReadErrorAsksAndRetryReadsAgainFromTheStart) {
    // May 2024: a working-day mark on Sunday the 5th (Children's Day), then the file ends early.
    MonthModel may = built(2024, 5);
    writeMemo(may, 10, "kept");
    int col = 0, week = 0;
    may.cellOfDay(5, col, week);
    ASSERT_EQ(may.cells[col][week].holiday, 1);
    may.marks[col][week].weekdayMark = 1;
    ASSERT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    const std::string whole = folder.get("202405.wmd");
    folder.put("202405.wmd", whole.substr(0, whole.size() - 3));

    prompts.then(Answer::Retry);
    prompts.beforeAnswer = [&] {
        if (prompts.asked.size() == 1) folder.put("202405.wmd", whole);
    };
    MonthModel retried = built(2024, 5);
    EXPECT_EQ(store.loadMonth(retried), LoadOutcome::Loaded);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::AbortRetry);
    EXPECT_EQ(prompts.asked[0].text, readError);
    EXPECT_EQ(memoOf(retried, 10), "kept");
    EXPECT_EQ(retried.cells[col][week].holiday, 0);

    // Abort: an empty month, its holidays as built (no half-applied marks).
    prompts.beforeAnswer = nullptr;
    folder.put("202405.wmd", whole.substr(0, whole.size() - 3));
    prompts.then(Answer::Abort);
    MonthModel abandoned = built(2024, 5);
    abandoned.arrowDataLoaded = true;
    EXPECT_EQ(store.loadMonth(abandoned), LoadOutcome::ReadErrorAbandoned);
    EXPECT_EQ(memoOf(abandoned, 10), "");
    EXPECT_EQ(abandoned.marks[col][week].weekdayMark, 0);
    const MonthModel fresh = built(2024, 5);
    for (int c = 0; c < kColumns; ++c)
        for (int w = 1; w <= kWeeks; ++w) EXPECT_EQ(abandoned.cells[c][w].holiday, fresh.cells[c][w].holiday);
    EXPECT_FALSE(abandoned.arrowDataLoaded);
}

TEST_F(StoreTest, AFileThatCannotBeOpenedIsReportedWithAnEmptyMonth) {
    existingMayFile();
    files.cannotOpen = true;
    MonthModel may = built(2024, 5);
    EXPECT_EQ(store.loadMonth(may), LoadOutcome::CannotOpen);
    EXPECT_EQ(memoOf(may, 10), "");
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(StoreTest, AFileThatFailedToLoadIsMovedAsideBeforeItIsOverwritten) {
    const std::string original = existingMayFile().substr(0, 30);
    for (const char* aside : {"202405.wmd.unreadable", "202405.wmd.unreadable2"}) {
        SCOPED_TRACE(aside);
        prompts.asked.clear();
        folder.put("202405.wmd", original);
        prompts.then(Answer::Abort);
        MonthModel may = loaded(2024, 5);
        writeMemo(may, 20, "typed after the failure");
        EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);

        EXPECT_EQ(folder.get(aside), original);
        ASSERT_EQ(prompts.asked.size(), 2u);
        EXPECT_EQ(prompts.asked[1].icon, MessageIcon::Information);
        EXPECT_NE(prompts.asked[1].text.find(aside), std::string::npos) << "the message names the new file";
        EXPECT_EQ(memoOf(loaded(2024, 5), 20), "typed after the failure");

        // Once moved, later saves write normally.
        writeMemo(may, 21, "more");
        EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
        EXPECT_EQ(prompts.asked.size(), 2u);
    }
}

TEST_F(StoreTest, AnUnreadableFileThatCannotBeMovedIsNotOverwritten) {
    const std::string original = existingMayFile().substr(0, 30);
    folder.put("202405.wmd", original);
    prompts.then(Answer::Abort);
    MonthModel may = loaded(2024, 5);
    writeMemo(may, 20, "typed");
    files.renameFails = true;
    prompts.then(Answer::Abort);
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Failed);
    EXPECT_EQ(prompts.asked.back().text, writeError);
    EXPECT_EQ(folder.get("202405.wmd"), original);
}

}  // namespace
}  // namespace kelmora
