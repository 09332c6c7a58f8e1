#pragma once
// Saving and loading the shown month to and from its file beside the
// program, with the questions the user answers when a file fails.
//
// A save that fails never discards text: the month stays dirty, whatever the
// answer, and lastFailure() tells which file and why. How a failure is met is
// the caller's choice: the save on idle asks nothing (the window shows the
// failure in its bar and tries again by itself), leaving the month asks
// Abort/Retry (Abort stays in the month), closing asks Abort/Retry/Ignore
// (Ignore goes on without the file; the caller keeps the month elsewhere).
// saveOnIdle stays silent while the month is exactly as it was when its save
// failed, so a lasting failure is not retried at every idle moment; explicit
// saves always try again.
//
// A file that failed to load (read error answered with Abort, a file that
// cannot be opened, no regular file, one too large) is never overwritten:
// before the first write over it, it is renamed to "<name>.unreadable"
// (".unreadable2", ... when taken), and takeNotice() holds the text that
// tells the user the new name.
//
// Other writers (a sync tool, a second copy of the program) may change the
// file while the month is shown. The store remembers what the file held
// when it was loaded or last written, with its stamp; before every write it
// looks again (the stamp first, the bytes only when that changed) under the
// folder's lock. A file changed meanwhile is merged day by day with the
// month (month_merge.h) before the write, and takeMerge() tells what came
// in. A write that would put into the file what it holds already is left
// out: a save with nothing new writes nothing.

#include <optional>
#include <string>

#include "main/file_system.h"
#include "main/month_merge.h"
#include "main/month_model.h"
#include "main/prompts.h"

namespace kelmora {

enum class SaveOutcome {
    Written,           // the file holds the month (written now, or it held it already)
    NotDirty,          // nothing changed since the last save
    NothingToWrite,    // an empty month without a file: no file is created
    HeldAfterFailure,  // saveOnIdle only: unchanged since its save failed
    Failed,            // not written (nobody asked, or Abort); the month stays dirty
    WentOnWithout,     // not written, the user chose Ignore; the month stays dirty
};

// What a failed save does.
struct OnSaveFailure {
    enum Kind { Report, AskAbortRetry, AskAbortRetryIgnore } kind = AskAbortRetry;
    std::string ignoreMeans;  // CP932: what the Ignore button will do, for the question

    static OnSaveFailure report() { return {Report, {}}; }
    static OnSaveFailure askAbortRetry() { return {AskAbortRetry, {}}; }
    static OnSaveFailure askAbortRetryIgnore(std::string ignoreMeans) {
        return {AskAbortRetryIgnore, std::move(ignoreMeans)};
    }
};

// The file a save could not write and why (both CP932, ready for a message).
struct SaveFailure {
    std::string path;
    std::string cause;
};

// What another writer did to the shown month's file since this store last
// read or wrote it.
enum class OutsideChange {
    None,
    Changed,     // it holds another month's worth now
    Gone,        // it was deleted
    Unreadable,  // it was replaced by something that is no month file (yet)
};

// A merge made before a save: the month and what came in.
struct MergeNotice {
    int year = 0, month = 0;
    MonthMergeReport report;
};

enum class LoadOutcome {
    Loaded,
    NoFile,
    ReadErrorAbandoned,  // read error, the user chose Abort: the month is empty
    CannotOpen,          // the file exists but cannot be opened or is no month file: the month is empty
};

class MonthStore {
public:
    // `programDir` ends with its path separator.
    MonthStore(FileSystem& files, Prompts& prompts, std::string programDir);

    // Writes the shown month when it is dirty and holds something (or its
    // file exists). `arrowToolBusy`: the arrow tool is not idle; the month
    // then stays dirty after the write.
    SaveOutcome saveMonth(MonthModel& month, bool arrowToolBusy, const OnSaveFailure& onFailure = {});
    // The save on idle: asks nothing (the caller skips it while the arrow
    // tool waits for its end cell).
    SaveOutcome saveOnIdle(MonthModel& month, bool arrowToolBusy);
    bool lastSaveFailed() const { return !failedContent_.empty(); }
    const SaveFailure& lastFailure() const { return lastFailure_; }
    // The text telling that a file that failed to load was renamed, once.
    std::optional<std::string> takeNotice();

    // Replaces the memo data of the freshly built month with its file's.
    // Does not touch `dirty`; row heights are the caller's to refit.
    LoadOutcome loadMonth(MonthModel& month);
    // Why the last load gave CannotOpen (CP932).
    const std::string& lastLoadProblem() const { return lastLoadProblem_; }

    // Whether the shown month's file changed since it was loaded or
    // written: cheap (a stat) while it did not.
    OutsideChange outsideChange(const MonthModel& month);
    // Loads the file's new version in place of the month's memo data,
    // asking nothing; false (the month as it was) when it cannot be read.
    bool reloadQuietly(MonthModel& month);
    // Takes the other writer's deletion of the file as seen: the month stays
    // as shown and is written again only when it changes.
    void acceptGone(const MonthModel& month);
    // What the last merge took in, once.
    std::optional<MergeNotice> takeMerge();

    std::string fileNameOf(const MonthModel& month) const;

private:
    // What the month's file held when this store last read or wrote it.
    struct KnownFile {
        std::string path;     // empty: nothing known (no month loaded yet)
        FileStamp stamp;      // not `exists`: there was no file
        std::string bytes;
        bool readable = true;  // false: it failed to load, the month was shown empty
    };
    struct DiskNow {
        OutsideChange change = OutsideChange::None;
        ReadResult read;  // when it changed and was read
    };
    DiskNow lookAtDisk(const std::string& path);
    // Takes in what another writer saved since, when anything.
    void mergeOutsideChange(MonthModel& month, const std::string& path);
    // Keeps the file at `path` under a new name beside it ("<name><suffix>",
    // numbered when taken); the notice names it.
    FileError moveAside(const std::string& path, const std::string& suffix, const std::string& why);
    FileError moveUnreadableAside(const std::string& path);
    // Looks, merges and writes, under the folder's lock. Nothing when the
    // file holds the month (or there is nothing to write: `nothingToWrite`);
    // otherwise the cause (CP932).
    std::optional<std::string> attemptSave(MonthModel& month, const std::string& path, bool& nothingToWrite);
    // Nothing when written; otherwise the cause (CP932).
    std::optional<std::string> write(const std::string& bytes, const std::string& path);
    MonthModel blankLike(const MonthModel& month) const;
    std::string question(const OnSaveFailure& onFailure) const;
    void recordFailure(const MonthModel& month, const std::string& path, const std::string& cause);

    FileSystem& files_;
    Prompts& prompts_;
    std::string programDir_;
    SaveFailure lastFailure_;
    std::string failedContent_;   // what the failed save tried to write
    std::string unreadableFile_;  // the shown month's file, when it failed to load
    std::optional<std::string> notice_;
    std::string lastLoadProblem_;
    KnownFile known_;
    std::optional<MergeNotice> merge_;
};

}  // namespace kelmora
