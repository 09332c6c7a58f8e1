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

// Everything a save would store, to tell whether the month changed since a
// save failed (the selection is not stored and does not count).
std::string contentKey(const MonthModel& month) {
    std::string key = std::to_string(month.year) + '-' + std::to_string(month.month) + '-' +
                      std::to_string(month.layout()) + '-' + std::to_string(month.weekRows);
    for (int week = 1; week <= kWeeks; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const Tmemocell& memo = month.memos[col][week];
            const Tdaymark& mark = month.marks[col][week];
            key += '|' + std::to_string(memo.text.size()) + ':' + memo.text;
            for (unsigned value : {unsigned{memo.arrow}, unsigned{memo.hasBackColor}, unsigned{memo.hasFontColor},
                                   unsigned{mark.holidayMark}, unsigned{mark.weekdayMark}})
                key += ',' + std::to_string(value);
            if (memo.hasBackColor) key += ',' + std::to_string(memo.backColor);
            if (memo.hasFontColor) key += ',' + std::to_string(memo.fontColor);
        }
    }
    return key;
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
    if (lastSaveFailed_ && month.dirty && contentKey(month) == failedContent_) return SaveOutcome::HeldAfterFailure;
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
            lastSaveFailed_ = false;
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
    if (!bytes) return cp932::literal("メモが長すぎます（1日 65535 バイトまで）");
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
    lastSaveFailed_ = true;
    failedContent_ = contentKey(month);
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
            if (!files_.exists(path)) return LoadOutcome::NoFile;
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
