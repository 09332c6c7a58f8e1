#pragma once
// Deleting the month memo files of months far enough in the past, run when
// the window closes and the user asked for it (settings "delfile").

#include <optional>
#include <string>
#include <vector>

#include "main/civil_date.h"
#include "main/clock.h"
#include "main/file_system.h"
#include "main/prompts.h"

namespace kelmora {

// The 1st of today's month, `monthsBack` calendar months earlier: files of
// months before it are expired.
Date expiryCutOff(const Date& today, int monthsBack);

enum class CleanupOutcome {
    NothingExpired,  // no memo file, or none before the cut-off
    Deleted,         // the user agreed; the expired files are gone (a file that cannot be deleted stays)
    Refused,         // the user said No: nothing deleted
};

// The close-time cleanup: one question per call before the first deletion.
// Only the month files (the names the calendar writes, see month_files.h)
// are looked at: other names are left alone and do not stop it.
CleanupOutcome deleteExpiredMemoFiles(FileSystem& files, Prompts& prompts, const Clock& clock,
                                      const std::string& programDir, int monthsBack);

}  // namespace kelmora
