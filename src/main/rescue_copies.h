#pragma once
// Rescue copies: when the shown month cannot be written to its own file, it
// is kept in the month file format in a folder of the user's own (the window
// passes in "$XDG_DATA_HOME/kelmora/rescue/"), named
// "YYYYMM-YYYYMMDD-HHMMSS.wmd": the month, then the date and time the copy
// was first made. A run keeps one copy per month, rewritten while the month
// changes and removed once the month has reached its own file again.

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

class RescueCopies {
public:
    // `folder` ends with its separator; it is created when first needed.
    RescueCopies(FileSystem& files, std::string folder);

    const std::string& folder() const { return folder_; }

    // Writes (or brings up to date) this run's copy of the month.
    RescueResult keep(const MonthModel& month, const LocalTime& now);
    // The month has reached its own file: this run's copy of it goes.
    void discard(int year, int month);
    // The names of the copies earlier runs left that nobody has been told
    // about yet, in name order; afterwards they count as told.
    std::vector<std::string> takeUntold();

    // "202405-20240510-093000.wmd"
    static std::string copyName(int year, int month, const LocalTime& made);

    static constexpr const char* kToldListName = ".told";

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
};

}  // namespace kelmora
