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

constexpr int kMaxUnreadableCopies = 999;

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
    // No file is created for a month that never held anything.
    if (!holdsAnything(month) && !files_.exists(path)) return SaveOutcome::NothingToWrite;

    for (;;) {
        const std::optional<std::string> cause = write(month, path);
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

std::optional<std::string> MonthStore::write(const MonthModel& month, const std::string& path) {
    if (const FileError moved = moveUnreadableAside(path); moved.failed())
        return cp932::literal("読み込めなかった元のファイルを別の名前に変えられません: ") + describeFileError(moved);
    // A memo too long for its 16-bit length is refused, never cut.
    const std::optional<std::string> bytes = encodeMonthFile(month);
    if (!bytes) return memoTooLongCause();
    const WriteResult written = files_.replaceFile(path, *bytes);
    if (written.ok()) return std::nullopt;
    return describeFileError(written.error);
}

std::string MonthStore::question(const OnSaveFailure& onFailure) const {
    std::string text = cp932::literal("メモデータ書き込みエラー\r\n\r\n「") + lastFailure_.path +
                       cp932::literal("」に書き込めません。\r\n原因: ") + lastFailure_.cause +
                       cp932::literal("。\r\n\r\n再試行: もう一度書き込みます。\r\n"
                                      "中止: 書き込まずに戻ります。メモは画面に残ります。");
    if (onFailure.kind == OnSaveFailure::AskAbortRetryIgnore) text += cp932::literal("\r\n無視: ") + onFailure.ignoreMeans;
    return text;
}

// Fails only when the file that failed to load is still in the way.
FileError MonthStore::moveUnreadableAside(const std::string& path) {
    if (unreadableFile_ != path) return {};
    if (!files_.exists(path)) {
        unreadableFile_.clear();
        return {};
    }
    for (int copy = 1; copy <= kMaxUnreadableCopies; ++copy) {
        std::string aside = path + ".unreadable";
        if (copy > 1) aside += std::to_string(copy);
        if (files_.exists(aside)) continue;
        if (const FileError error = files_.renameFile(path, aside); error.failed()) return error;
        unreadableFile_.clear();
        notice_ = cp932::literal("読み込めなかったメモデータファイルを上書きしないよう、「") +
                  pathForMessage(fileNameOnly(aside)) + cp932::literal("」という名前に変えて同じフォルダに残しました。");
        return {};
    }
    return {FileProblem::Other};
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
    if (!files_.exists(path)) return LoadOutcome::NoFile;

    static const std::string kReadError = cp932::literal("メモデータ読み込みエラー");
    // A failed read leaves the holiday flags as built, not half marked.
    const CellTable<Tdaycell> builtCells = month.cells;
    for (;;) {
        ReadResult read = files_.readFile(path, kMaxMonthFileBytes);
        if (read.status == ReadResult::CannotOpen) {
            if (read.error.problem == FileProblem::NotFound) return LoadOutcome::NoFile;  // gone since it was seen
            unreadableFile_ = path;
            lastLoadProblem_ = describeFileError(read.error);
            return LoadOutcome::CannotOpen;
        }
        if (read.status == ReadResult::Ok && decodeMonthFile(read.bytes, month)) return LoadOutcome::Loaded;
        month.clearMemos();
        month.arrowDataLoaded = false;
        month.cells = builtCells;
        if (prompts_.ask(MessageIcon::Error, Buttons::AbortRetry, kReadError) != Answer::Retry) {
            unreadableFile_ = path;
            return LoadOutcome::ReadErrorAbandoned;
        }
    }
}

}  // namespace kelmora
