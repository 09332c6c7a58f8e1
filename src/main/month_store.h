#pragma once
// Saving and loading the shown month to and from its file beside the
// program, with the questions the user answers when a file fails.
//
// Failed saves: saveMonth returns CannotCreate (nothing asked; the caller
// shows its general error, abandons the operation that asked for the save,
// and `dirty` stays set) or Failed (a write error the user gave up on with
// Abort; the month then counts as saved, as after a write). lastSaveFailed() stays true until a save succeeds. The save on idle
// goes through saveOnIdle, which stays silent while the month is exactly as
// it was when its save failed, so a lasting failure shows its error once per
// change and not at every idle moment; explicit saves (month change, close,
// settings, arrows) always try again.
//
// A file that failed to load (read error answered with Abort, or a file that
// cannot be opened) is never overwritten: before the first write over it, it
// is renamed to "<name>.unreadable" (".unreadable2", ... when taken) and the
// user is told the new name.

#include <string>

#include "main/file_system.h"
#include "main/month_model.h"
#include "main/prompts.h"

namespace kelmora {

enum class SaveOutcome {
    Written,           // the file holds the month
    NotDirty,          // nothing changed since the last save
    NothingToWrite,    // an empty month without a file: no file is created
    HeldAfterFailure,  // saveOnIdle only: unchanged since its save failed
    Failed,            // write error, the user chose Abort
    CannotCreate,      // the file cannot be created; reported to the caller
};

enum class LoadOutcome {
    Loaded,
    NoFile,
    ReadErrorAbandoned,  // read error, the user chose Abort: the month is empty
    CannotOpen,          // the file exists but cannot be opened: the month is empty
};

class MonthStore {
public:
    // `programDir` ends with its path separator.
    MonthStore(FileSystem& files, Prompts& prompts, std::string programDir);

    // Writes the shown month when it is dirty and holds something (or its
    // file exists). `arrowToolBusy`: the arrow tool is not idle; the month
    // then stays dirty after the write.
    SaveOutcome saveMonth(MonthModel& month, bool arrowToolBusy);
    // The save on idle (the caller skips it while the arrow tool waits for
    // its end cell).
    SaveOutcome saveOnIdle(MonthModel& month, bool arrowToolBusy);
    bool lastSaveFailed() const { return lastSaveFailed_; }

    // Replaces the memo data of the freshly built month with its file's.
    // Does not touch `dirty`; row heights are the caller's to refit.
    LoadOutcome loadMonth(MonthModel& month);

    std::string fileNameOf(const MonthModel& month) const;

private:
    bool moveUnreadableAside(const std::string& path);
    void recordFailure(const MonthModel& month);

    FileSystem& files_;
    Prompts& prompts_;
    std::string programDir_;
    bool lastSaveFailed_ = false;
    std::string failedContent_;   // what the failed save tried to write
    std::string unreadableFile_;  // the shown month's file, when it failed to load
};

}  // namespace kelmora
