#pragma once
// Rescue copies: when the shown month cannot be written to its own file, it
// is kept in the month file format in a folder of the user's own (the window
// passes in "$XDG_DATA_HOME/kelmora/rescue/"), named
// "YYYYMM-YYYYMMDD-HHMMSS.wmd": the month, then the date and time the copy
// was first made. A run keeps one copy per month, rewritten while the month
// changes and removed once the month has reached its own file again.
//
// The disk that refuses the month's file may be the one the rescue folder
// lies on. So the folder keeps a reserve: a file ".reserve" as large as the
// largest month file, its blocks allocated beforehand; when a copy cannot be
// written the usual way, it is written into the reserve's blocks and the
// reserve takes the copy's name.

#include <optional>
#include <string>
#include <vector>

#include "main/clock.h"
#include "main/file_system.h"
#include "main/month_model.h"

namespace kelmora {

struct RescueResult {
    std::string path;   // native; the copy, when it was written
    std::string cause;  // CP932; why it was not, empty when it was
    bool ok() const { return cause.empty(); }
};

// Where the calendar's own folder and the reserve fail too, the month goes
// to a folder in memory (a termination signal leaves no time for more).

class RescueCopies {
public:
    // `folder` ends with its separator; it is created when first needed.
    RescueCopies(FileSystem& files, std::string folder);

    const std::string& folder() const { return folder_; }

    // Writes (or brings up to date) this run's copy of the month, into the
    // reserve when nothing else can be written.
    RescueResult keep(const MonthModel& month, const LocalTime& now);
    // Makes the reserve (again, once it was used); quietly does nothing
    // where it cannot.
    void keepReserve();
    // The month has reached its own file: this run's copy of it goes.
    void discard(int year, int month);
    // The names of the copies earlier runs left that nobody has been told
    // about yet, in name order; afterwards they count as told.
    std::vector<std::string> takeUntold();

    // "202405-20240510-093000.wmd"
    static std::string copyName(int year, int month, const LocalTime& made);

    static constexpr const char* kToldListName = ".told";
    static constexpr const char* kReserveName = ".reserve";

private:
    struct Copy {
        int year = 0, month = 0;
        std::string path;
        std::string bytes;  // what it holds
    };
    Copy* copyOf(int year, int month);
    std::string freshPath(int year, int month, const LocalTime& now) const;

    FileSystem& files_;
    std::string folder_;
    std::vector<Copy> copies_;
    bool reserveReady_ = false;
};

}  // namespace kelmora
