#include "main/month_store.h"

#include <utility>

#include "main/cp932.h"
#include "main/month_file_format.h"

namespace kelmora {
namespace {

bool holdsAnything(const MonthModel& month) {
    for (int week = 1; week <= month.weekRows; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const Tmemocell& memo = month.memos[col][week];
            const Tdaymark& mark = month.marks[col][week];
            if (!memo.text.empty() || memo.arrow != NoArrow || mark.holidayMark == 1 || mark.weekdayMark == 1 ||
                memo.hasBackColor == 1 || memo.hasFontColor == 1)
                return true;
        }
    }
    return false;
}

// What a save of the month would put where, to tell whether the month
// changed since a save failed (the selection is not stored and does not count).
std::string contentKey(const MonthModel& month, const std::string& path) {
    return path + '\n' + encodeMonthFile(month).value_or(std::string());
}

std::string fileNameOnly(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

constexpr int kMaxAsideCopies = 999;

std::string readErrorQuestion(const std::string& path, const std::string& cause) {
    return cp932::literal("メモデータ読み込みエラー\r\n\r\n「") + pathForMessage(path) +
           cp932::literal("」を読み込めません。\r\n原因: ") + cause +
           cp932::literal("。\r\n\r\n再試行: もう一度読み込みます。\r\n"
                          "中止: この月を空で表示します。元のファイルは上書きせず、最初に保存するときに別の名前で残します。");
}

}  // namespace

MonthStore::MonthStore(FileSystem& files, Prompts& prompts, std::string programDir)
    : files_(files), prompts_(prompts), programDir_(std::move(programDir)) {}

std::string MonthStore::fileNameOf(const MonthModel& month) const {
    return monthFileName(programDir_, month.year, month.month);
}

std::optional<std::string> MonthStore::takeNotice() { return std::exchange(notice_, std::nullopt); }

SaveOutcome MonthStore::saveOnIdle(MonthModel& month, bool arrowToolBusy) {
    if (lastSaveFailed() && month.dirty && contentKey(month, fileNameOf(month)) == failedContent_)
        return SaveOutcome::HeldAfterFailure;
    return saveMonth(month, arrowToolBusy, OnSaveFailure::report());
}

SaveOutcome MonthStore::saveMonth(MonthModel& month, bool arrowToolBusy, const OnSaveFailure& onFailure) {
    if (!month.dirty) return SaveOutcome::NotDirty;
    const std::string path = fileNameOf(month);
    for (;;) {
        bool nothingToWrite = false;
        const std::optional<std::string> cause = attemptSave(month, path, nothingToWrite);
        if (nothingToWrite) return SaveOutcome::NothingToWrite;
        if (!cause) {
            failedContent_.clear();
            month.dirty = arrowToolBusy;
            return SaveOutcome::Written;
        }
        recordFailure(month, path, *cause);
        if (onFailure.kind == OnSaveFailure::Report) return SaveOutcome::Failed;
        const Buttons buttons =
            onFailure.kind == OnSaveFailure::AskAbortRetryIgnore ? Buttons::AbortRetryIgnore : Buttons::AbortRetry;
        switch (prompts_.ask(MessageIcon::Error, buttons, question(onFailure))) {
            case Answer::Retry: continue;
            case Answer::Ignore: return SaveOutcome::WentOnWithout;
            default: return SaveOutcome::Failed;
        }
    }
}

// The lock is held from the look at the file to the end of the write, never
// while a question waits for the user.
std::optional<std::string> MonthStore::attemptSave(MonthModel& month, const std::string& path, bool& nothingToWrite) {
    const std::unique_ptr<FolderLock> lock = files_.lockFolder(programDir_);
    mergeOutsideChange(month, path);
    // No file is created for a month that never held anything.
    if (!holdsAnything(month) && !files_.exists(path)) {
        nothingToWrite = true;
        return std::nullopt;
    }
    // A memo too long for its 16-bit length is refused, never cut.
    const std::optional<std::string> bytes = encodeMonthFile(month);
    if (!bytes) return memoTooLongCause();
    const bool holdsItAlready = known_.path == path && known_.readable && known_.stamp.exists &&
                                unreadableFile_ != path && *bytes == known_.bytes;
    if (holdsItAlready) return std::nullopt;
    return write(*bytes, path);
}

std::optional<std::string> MonthStore::write(const std::string& bytes, const std::string& path) {
    if (const FileError moved = moveUnreadableAside(path); moved.failed())
        return cp932::literal("読み込めなかった元のファイルを別の名前に変えられません: ") + describeFileError(moved);
    const WriteResult written = files_.replaceFile(path, bytes);
    if (!written.ok()) return describeFileError(written.error);
    known_ = {path, written.stamp, bytes, true};
    return std::nullopt;
}

MonthModel MonthStore::blankLike(const MonthModel& month) const {
    MonthModel blank = month;
    blank.onSelectionCleared = nullptr;
    blank.clearMemos();
    blank.arrowDataLoaded = false;
    (void)blank.buildMonth();
    return blank;
}

MonthStore::DiskNow MonthStore::lookAtDisk(const std::string& path) {
    if (known_.path != path) return {};  // nothing loaded to compare with
    const FileStamp now = files_.stampOf(path);
    if (now == known_.stamp) return {};
    const OutsideChange gone = known_.stamp.exists ? OutsideChange::Gone : OutsideChange::None;
    if (!now.exists) return {gone, {}};
    DiskNow disk{OutsideChange::Changed, files_.readFile(path, kMaxMonthFileBytes)};
    if (disk.read.status == ReadResult::CannotOpen && disk.read.error.problem == FileProblem::NotFound) return {gone, {}};
    if (disk.read.status != ReadResult::Ok) {
        disk.change = OutsideChange::Unreadable;
        return disk;
    }
    // Touched, or written with the same bytes: nothing new.
    if (known_.readable && known_.stamp.exists && disk.read.bytes == known_.bytes) {
        known_.stamp = disk.read.stamp;
        return {};
    }
    return disk;
}

OutsideChange MonthStore::outsideChange(const MonthModel& month) {
    const std::string path = fileNameOf(month);
    DiskNow disk = lookAtDisk(path);
    if (disk.change == OutsideChange::Changed) {
        MonthModel theirs = blankLike(month);
        if (!decodeMonthFile(disk.read.bytes, theirs)) return OutsideChange::Unreadable;
    }
    return disk.change;
}

void MonthStore::mergeOutsideChange(MonthModel& month, const std::string& path) {
    DiskNow disk = lookAtDisk(path);
    switch (disk.change) {
        case OutsideChange::None: return;
        case OutsideChange::Gone:
            // Deleted elsewhere: the month on screen makes it again.
            known_ = {path, {}, {}, true};
            return;
        case OutsideChange::Unreadable:
            // Kept under another name before the write, as a file that failed to load.
            unreadableFile_ = path;
            return;
        case OutsideChange::Changed: break;
    }
    MonthModel theirs = blankLike(month);
    if (!decodeMonthFile(disk.read.bytes, theirs)) {
        unreadableFile_ = path;
        return;
    }
    MonthModel base = blankLike(month);
    if (known_.readable && known_.stamp.exists) (void)decodeMonthFile(known_.bytes, base);
    const MonthMergeReport report = mergeMonth(base, month, theirs, sectionsOf(disk.read.bytes));
    // Theirs is taken in: from now on it is what the month grew from.
    known_ = {path, disk.read.stamp, std::move(disk.read.bytes), true};
    if (unreadableFile_ == path) unreadableFile_.clear();
    if (!report.notJoined.empty()) {
        // Too long to be joined in one memo: their whole version stays beside the file.
        const FileError moved =
            moveAside(path, ".unmerged",
                      cp932::literal("両方で書き換えられたメモが長すぎて 1 日分に収まらないため、他のところで保存された版を「"));
        if (!moved.failed()) known_ = {path, {}, {}, true};
    }
    if (report.anythingTaken() || !report.notJoined.empty()) merge_ = MergeNotice{month.year, month.month, report};
}

std::optional<MergeNotice> MonthStore::takeMerge() { return std::exchange(merge_, std::nullopt); }

bool MonthStore::reloadQuietly(MonthModel& month) {
    const std::string path = fileNameOf(month);
    const ReadResult read = files_.readFile(path, kMaxMonthFileBytes);
    if (read.status != ReadResult::Ok) return false;
    MonthModel fresh = blankLike(month);
    if (!decodeMonthFile(read.bytes, fresh)) return false;
    // The selection is the user's, not the file's.
    for (int col = 0; col < kColumns; ++col)
        for (int week = 0; week <= kWeeks; ++week) fresh.memos[col][week].selected = month.memos[col][week].selected;
    month.cells = fresh.cells;
    month.memos = fresh.memos;
    month.marks = fresh.marks;
    month.arrowDataLoaded = fresh.arrowDataLoaded;
    known_ = {path, read.stamp, read.bytes, true};
    if (unreadableFile_ == path) unreadableFile_.clear();
    return true;
}

void MonthStore::acceptGone(const MonthModel& month) { known_ = {fileNameOf(month), {}, {}, true}; }

std::string MonthStore::question(const OnSaveFailure& onFailure) const {
    std::string text = cp932::literal("メモデータ書き込みエラー\r\n\r\n「") + lastFailure_.path +
                       cp932::literal("」に書き込めません。\r\n原因: ") + lastFailure_.cause +
                       cp932::literal("。\r\n\r\n再試行: もう一度書き込みます。\r\n"
                                      "中止: 書き込まずに戻ります。メモは画面に残ります。");
    if (onFailure.kind == OnSaveFailure::AskAbortRetryIgnore) text += cp932::literal("\r\n無視: ") + onFailure.ignoreMeans;
    return text;
}

FileError MonthStore::moveAside(const std::string& path, const std::string& suffix, const std::string& why) {
    for (int copy = 1; copy <= kMaxAsideCopies; ++copy) {
        std::string aside = path + suffix;
        if (copy > 1) aside += std::to_string(copy);
        if (files_.exists(aside)) continue;
        if (const FileError error = files_.renameFile(path, aside); error.failed()) return error;
        notice_ = why + pathForMessage(fileNameOnly(aside)) + cp932::literal("」という名前で同じフォルダに残しました。");
        return {};
    }
    return {FileProblem::Other};
}

// Fails only when the file that failed to load is still in the way.
FileError MonthStore::moveUnreadableAside(const std::string& path) {
    if (unreadableFile_ != path) return {};
    if (!files_.exists(path)) {
        unreadableFile_.clear();
        return {};
    }
    const FileError moved =
        moveAside(path, ".unreadable", cp932::literal("読み込めなかったメモデータファイルを上書きしないよう、「"));
    if (!moved.failed()) unreadableFile_.clear();
    return moved;
}

void MonthStore::recordFailure(const MonthModel& month, const std::string& path, const std::string& cause) {
    failedContent_ = contentKey(month, path);
    lastFailure_ = {pathForMessage(path), cause};
}

LoadOutcome MonthStore::loadMonth(MonthModel& month) {
    month.clearSelection();
    month.clearMemos();
    month.arrowDataLoaded = false;
    unreadableFile_.clear();
    lastLoadProblem_.clear();
    const std::string path = fileNameOf(month);
    known_ = {path, {}, {}, true};
    if (!files_.exists(path)) return LoadOutcome::NoFile;

    // A failed read leaves the holiday flags as built, not half marked.
    const CellTable<Tdaycell> builtCells = month.cells;
    for (;;) {
        ReadResult read = files_.readFile(path, kMaxMonthFileBytes);
        if (read.status == ReadResult::CannotOpen) {
            if (read.error.problem == FileProblem::NotFound) return LoadOutcome::NoFile;  // gone since it was seen
            unreadableFile_ = path;
            known_ = {path, files_.stampOf(path), {}, false};
            lastLoadProblem_ = describeFileError(read.error);
            return LoadOutcome::CannotOpen;
        }
        if (read.status == ReadResult::Ok && decodeMonthFile(read.bytes, month)) {
            known_ = {path, read.stamp, std::move(read.bytes), true};
            return LoadOutcome::Loaded;
        }
        month.clearMemos();
        month.arrowDataLoaded = false;
        month.cells = builtCells;
        const std::string cause = read.status == ReadResult::Ok
                                      ? cp932::literal("ファイルが途中で終わっています（壊れているか、書き込みの途中です）")
                                      : describeFileError(read.error);
        if (prompts_.ask(MessageIcon::Error, Buttons::AbortRetry, readErrorQuestion(path, cause)) != Answer::Retry) {
            unreadableFile_ = path;
            known_ = {path, read.stamp.exists ? read.stamp : files_.stampOf(path), {}, false};
            return LoadOutcome::ReadErrorAbandoned;
        }
    }
}

}  // namespace kelmora
