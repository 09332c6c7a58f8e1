#include "main/month_store.h"

#include <gtest/gtest.h>

#include "built_month.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <filesystem>

#include "main/cp932.h"
#include "main/month_file_format.h"
#include "main/month_merge.h"
#include "memo_file_test_support.h"

#include <fstream>
#include <functional>

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

const WriteResult kDiskFull{WriteStatus::WriteFailed, {FileProblem::DiskFull, ENOSPC}};
const WriteResult kNoPermission{WriteStatus::CannotCreate, {FileProblem::NoPermission, EACCES}};

// The real files, with replacements and renames that fail on demand.
class FlakyFileSystem : public RealFileSystem {
public:
    std::deque<WriteResult> failures;  // returned, in order, instead of writing
    int replaceCalls = 0;
    bool renameFails = false;
    bool cannotOpen = false;

    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        ++replaceCalls;
        if (!failures.empty()) {
            WriteResult result = failures.front();
            failures.pop_front();
            return result;
        }
        return RealFileSystem::replaceFile(path, bytes);
    }
    FileError renameFile(const std::string& from, const std::string& to) override {
        if (renameFails) return {FileProblem::ReadOnly, EROFS};
        return RealFileSystem::renameFile(from, to);
    }
    ReadResult readFile(const std::string& path, std::size_t maxBytes) const override {
        if (cannotOpen) return {ReadResult::CannotOpen, {}, {FileProblem::NoPermission, EACCES}};
        return RealFileSystem::readFile(path, maxBytes);
    }
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

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

TEST_F(StoreTest, AWriteErrorAsksAbortOrRetryWithTheFileAndTheCause) {
    const std::string before = existingMayFile();
    MonthModel may = loaded(2024, 5);
    writeMemo(may, 11, "new");

    // Retry writes again from the start.
    files.failures = {kDiskFull};
    prompts.then(Answer::Retry);
    files.replaceCalls = 0;
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(files.replaceCalls, 2);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::AbortRetry);
    EXPECT_TRUE(prompts.asked[0].text.starts_with(writeError));
    EXPECT_TRUE(contains(prompts.asked[0].text, folder.file("202405.wmd"))) << "names the file";
    EXPECT_TRUE(contains(prompts.asked[0].text, cp932::literal("ディスクの空き容量が足りません"))) << "says why";
    EXPECT_EQ(memoOf(loaded(2024, 5), 11), "new");
    EXPECT_FALSE(store.lastSaveFailed());

    // Abort gives up this save, never the text: the month stays dirty, and
    // the next save writes what was typed.
    const std::string written = folder.get("202405.wmd");
    writeMemo(may, 12, "kept after abort");
    files.failures = {kNoPermission};
    prompts.then(Answer::Abort);
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Failed);
    EXPECT_EQ(folder.get("202405.wmd"), written);
    EXPECT_TRUE(may.dirty);
    EXPECT_TRUE(store.lastSaveFailed());
    EXPECT_EQ(store.lastFailure().path, folder.file("202405.wmd"));
    EXPECT_EQ(store.lastFailure().cause, describeFileError({FileProblem::NoPermission, EACCES}));
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(memoOf(loaded(2024, 5), 12), "kept after abort");
    EXPECT_NE(written, before);
}

TEST_F(StoreTest, ClosingMayGoOnWithoutTheFileAndTheMonthStaysDirty) {
    MonthModel may = built(2024, 5);
    writeMemo(may, 1, "typed");
    files.failures = {kDiskFull};
    prompts.then(Answer::Ignore);
    const std::string ignoreMeans = cp932::literal("退避コピーに残して終了します。");
    EXPECT_EQ(store.saveMonth(may, false, OnSaveFailure::askAbortRetryIgnore(ignoreMeans)), SaveOutcome::WentOnWithout);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].buttons, Buttons::AbortRetryIgnore);
    EXPECT_TRUE(contains(prompts.asked[0].text, ignoreMeans));
    EXPECT_TRUE(may.dirty);
    EXPECT_FALSE(folder.has("202405.wmd"));
}

TEST_F(StoreTest, TheSaveOnIdleAsksNothingAndHoldsAnUnchangedFailure) {
    MonthModel may = built(2024, 5);
    writeMemo(may, 1, "first");
    files.failures = {kNoPermission, kNoPermission, kNoPermission};
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::Failed);
    EXPECT_TRUE(prompts.asked.empty()) << "the window shows it in its bar";
    EXPECT_TRUE(may.dirty);
    EXPECT_TRUE(store.lastSaveFailed());

    // Idle moments pass without trying the same save again...
    files.replaceCalls = 0;
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::HeldAfterFailure);
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::HeldAfterFailure);
    EXPECT_EQ(files.replaceCalls, 0);
    // ...a retry tries, and so does the idle save once the month changed.
    EXPECT_EQ(store.saveMonth(may, false, OnSaveFailure::report()), SaveOutcome::Failed);
    writeMemo(may, 2, "second");
    EXPECT_EQ(store.saveOnIdle(may, false), SaveOutcome::Failed);
    EXPECT_EQ(files.replaceCalls, 2);
    EXPECT_TRUE(prompts.asked.empty());
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
    EXPECT_TRUE(prompts.asked[1].text.starts_with(writeError));
    EXPECT_EQ(folder.get("202405.wmd"), before);
    EXPECT_TRUE(may.dirty);
}

// The program dies after the new file is on the disk, before it is renamed.
struct CrashBeforeRename : RealFileSystem {
    struct Died {};
    int commitReplacement(const std::string&, const std::string&) override { throw Died{}; }
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
    // The box names the file and why it cannot be read.
    EXPECT_TRUE(prompts.asked[0].text.starts_with(readError));
    EXPECT_NE(prompts.asked[0].text.find(folder.file("202405.wmd")), std::string::npos);
    EXPECT_NE(prompts.asked[0].text.find(cp932::literal("途中で終わっています")), std::string::npos);
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
        ASSERT_EQ(prompts.asked.size(), 1u) << "the read error only: the move is told without a box";
        const std::optional<std::string> notice = store.takeNotice();
        ASSERT_TRUE(notice);
        EXPECT_TRUE(contains(*notice, aside)) << "the notice names the new file";
        EXPECT_FALSE(store.takeNotice()) << "told once";
        EXPECT_EQ(memoOf(loaded(2024, 5), 20), "typed after the failure");

        // Once moved, later saves write normally.
        writeMemo(may, 21, "more");
        EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
        EXPECT_FALSE(store.takeNotice());
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
    EXPECT_TRUE(prompts.asked.back().text.starts_with(writeError));
    EXPECT_TRUE(contains(store.lastFailure().cause, describeFileError({FileProblem::ReadOnly, EROFS})));
    EXPECT_EQ(folder.get("202405.wmd"), original);
    EXPECT_TRUE(may.dirty);
}

// Whatever lies where the month file should be, the load ends at once with an
// empty month, and the first save moves it aside instead of writing into it.
TEST_F(StoreTest, WhatIsNoMonthFileIsNotReadAndMovedAsideBeforeTheFirstSave) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"a pipe", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"a link to /dev/zero", [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); }},
        {"a folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
        {"a file larger than any month", [](const std::string& path) {
             std::ofstream(path, std::ios::binary) << std::string(4, '\0');
             std::filesystem::resize_file(path, kMaxMonthFileBytes + 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder place;
        MonthStore local(files, prompts, place.dir());
        const std::string path = place.file("202405.wmd");
        c.make(path);
        MonthModel may = built(2024, 5);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(local.loadMonth(may), LoadOutcome::CannotOpen);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_FALSE(local.lastLoadProblem().empty());
        EXPECT_TRUE(prompts.asked.empty());

        writeMemo(may, 8, "typed");
        EXPECT_EQ(local.saveMonth(may, false), SaveOutcome::Written);
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(path + ".unreadable")));
        EXPECT_TRUE(local.takeNotice());
        MonthModel back = built(2024, 5);
        EXPECT_EQ(local.loadMonth(back), LoadOutcome::Loaded);
        EXPECT_EQ(memoOf(back, 8), "typed");
    }
}

// Another writer's version of the month, put in place as sync tools do: a
// new file renamed over the old one.
void replaceFromOutside(const TempFolder& folder, const std::string& name, const MonthModel& month) {
    folder.put(name + ".incoming", *encodeMonthFile(month));
    std::filesystem::rename(folder.file(name + ".incoming"), folder.file(name));
}

TEST_F(StoreTest, ASaveWithNothingNewWritesNothing) {
    existingMayFile();
    MonthModel may = loaded(2024, 5);
    files.replaceCalls = 0;
    may.dirty = true;  // the editor was opened and closed: nothing typed
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_FALSE(may.dirty);
    // The arrow tool keeps the month counted as unsaved: still no write.
    for (int i = 0; i < 3; ++i) {
        may.dirty = true;
        EXPECT_EQ(store.saveOnIdle(may, true), SaveOutcome::Written);
        EXPECT_TRUE(may.dirty);
    }
    EXPECT_EQ(files.replaceCalls, 0);
    writeMemo(may, 11, "new");
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(files.replaceCalls, 1);
}

// The month changed here and there: the save merges day by day.
TEST_F(StoreTest, AFileReplacedFromOutsideIsMergedIntoTheNextSave) {
    existingMayFile();  // "kept" on the 10th
    MonthModel may = loaded(2024, 5);
    EXPECT_EQ(store.outsideChange(may), OutsideChange::None);

    MonthModel elsewhere = loaded(2024, 5);
    writeMemo(elsewhere, 3, "from the other PC");
    writeMemo(elsewhere, 10, "kept, changed there");
    replaceFromOutside(folder, "202405.wmd", elsewhere);
    EXPECT_EQ(store.outsideChange(may), OutsideChange::Changed);

    writeMemo(may, 10, "kept, changed here");
    writeMemo(may, 20, "typed here");
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    const MonthModel file = loaded(2024, 5);
    EXPECT_EQ(memoOf(file, 3), "from the other PC");
    EXPECT_EQ(memoOf(file, 20), "typed here");
    EXPECT_EQ(memoOf(file, 10), "kept, changed there\r\n" + memoJoinLine() + "\r\nkept, changed here");
    EXPECT_EQ(memoOf(may, 3), "from the other PC") << "the month shown holds what was saved";
    const std::optional<MergeNotice> merge = store.takeMerge();
    ASSERT_TRUE(merge);
    EXPECT_EQ(merge->month, 5);
    ASSERT_EQ(merge->report.joined.size(), 1u);
    EXPECT_EQ(merge->report.joined[0].day, 10);
    EXPECT_FALSE(store.takeMerge());

    // Their version is what the month grew from now: the next save joins nothing twice.
    writeMemo(may, 21, "more");
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_FALSE(store.takeMerge());
    EXPECT_EQ(memoOf(loaded(2024, 5), 10), memoOf(file, 10));
}

// Two stores on one folder stand for two copies of the program.
TEST_F(StoreTest, TwoWritersOnOneFolderKeepEachOthersDays) {
    existingMayFile();
    MonthStore other(files, prompts, folder.dir());
    MonthModel here = loaded(2024, 5);
    MonthModel there = built(2024, 5);
    other.loadMonth(there);
    for (int round = 0; round < 3; ++round) {
        writeMemo(here, 1 + round, "here " + std::to_string(round));
        EXPECT_EQ(store.saveMonth(here, false), SaveOutcome::Written);
        writeMemo(there, 11 + round, "there " + std::to_string(round));
        EXPECT_EQ(other.saveMonth(there, false), SaveOutcome::Written);
    }
    const MonthModel file = loaded(2024, 5);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(memoOf(file, 1 + round), "here " + std::to_string(round));
        EXPECT_EQ(memoOf(file, 11 + round), "there " + std::to_string(round));
    }
    EXPECT_EQ(memoOf(file, 10), "kept");
}

TEST_F(StoreTest, TheOutsideVersionIsLoadedQuietlyAndATouchIsNoChange) {
    existingMayFile();
    MonthModel may = loaded(2024, 5);
    may.memos[2][3].selected = 1;
    MonthModel elsewhere = loaded(2024, 5);
    writeMemo(elsewhere, 4, "theirs");
    replaceFromOutside(folder, "202405.wmd", elsewhere);
    ASSERT_EQ(store.outsideChange(may), OutsideChange::Changed);
    EXPECT_TRUE(store.reloadQuietly(may));
    EXPECT_EQ(memoOf(may, 4), "theirs");
    EXPECT_EQ(may.memos[2][3].selected, 1) << "the selection is the user's";
    EXPECT_EQ(store.outsideChange(may), OutsideChange::None);

    // The same bytes written again (a sync tool's second pass): nothing new.
    replaceFromOutside(folder, "202405.wmd", elsewhere);
    files.replaceCalls = 0;
    EXPECT_EQ(store.outsideChange(may), OutsideChange::None);
    may.dirty = true;
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(files.replaceCalls, 0);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(StoreTest, AFileDeletedOrSpoiledOutsideLosesNothingShown) {
    existingMayFile();
    MonthModel may = loaded(2024, 5);
    std::filesystem::remove(folder.file("202405.wmd"));
    EXPECT_EQ(store.outsideChange(may), OutsideChange::Gone);
    store.acceptGone(may);
    EXPECT_EQ(store.outsideChange(may), OutsideChange::None);
    writeMemo(may, 12, "still here");
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(memoOf(loaded(2024, 5), 10), "kept");

    // Half a file from outside: kept aside, not merged, not overwritten.
    MonthModel shown = loaded(2024, 5);
    const std::string whole = folder.get("202405.wmd");
    folder.put("202405.wmd.incoming", whole.substr(0, 20));
    std::filesystem::rename(folder.file("202405.wmd.incoming"), folder.file("202405.wmd"));
    EXPECT_EQ(store.outsideChange(shown), OutsideChange::Unreadable);
    EXPECT_FALSE(store.reloadQuietly(shown));
    EXPECT_EQ(memoOf(shown, 12), "still here");
    writeMemo(shown, 13, "typed");
    EXPECT_EQ(store.saveMonth(shown, false), SaveOutcome::Written);
    EXPECT_EQ(folder.get("202405.wmd.unreadable"), whole.substr(0, 20));
    EXPECT_TRUE(store.takeNotice());
    EXPECT_EQ(memoOf(loaded(2024, 5), 13), "typed");
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(StoreTest, TheirWholeVersionStaysBesideTheFileWhenTwoMemosCannotBeJoined) {
    existingMayFile();
    MonthModel may = loaded(2024, 5);
    MonthModel elsewhere = loaded(2024, 5);
    const std::string half(kMaxMemoBytes / 2 + 10, 'a');
    writeMemo(elsewhere, 10, half + "theirs");
    replaceFromOutside(folder, "202405.wmd", elsewhere);
    const std::string theirs = folder.get("202405.wmd");
    writeMemo(may, 10, half + "mine");
    EXPECT_EQ(store.saveMonth(may, false), SaveOutcome::Written);
    EXPECT_EQ(folder.get("202405.wmd.unmerged"), theirs);
    EXPECT_EQ(memoOf(loaded(2024, 5), 10), half + "mine");
    const std::optional<std::string> notice = store.takeNotice();
    ASSERT_TRUE(notice);
    EXPECT_TRUE(contains(*notice, "202405.wmd.unmerged"));
}

}  // namespace
}  // namespace kelmora
