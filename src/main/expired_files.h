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

// Names (without folder) of the memo files in `directory`: every regular
// file ending in ".wmd", in the order the directory lists them. (There are no
// attribute bits to filter by here: every such file counts.)
std::vector<std::string> listMemoFiles(const FileSystem& files, const std::string& directory);

// The 1st of today's month, `monthsBack` calendar months earlier: files of
// months before it are expired.
Date expiryCutOff(const Date& today, int monthsBack);

// The month a memo file name stands for: exactly "YYYYMM.wmd" (the extension
// in any case) gives the 1st of that month. Any other name ("201912 コピー.wmd",
// "notes.wmd") is no month file of the calendar's: nothing.
std::optional<Date> monthOfFileName(const std::string& name);

enum class CleanupOutcome {
    NothingExpired,  // no memo file, or none before the cut-off
    Deleted,         // the user agreed; the expired files are gone (a file that cannot be deleted stays)
    Refused,         // the user said No: nothing deleted
};

// The close-time cleanup: one question per call before the first deletion.
// Files whose name is no month are left alone and do not stop it.
CleanupOutcome deleteExpiredMemoFiles(FileSystem& files, Prompts& prompts, const Clock& clock,
                                      const std::string& programDir, int monthsBack);

}  // namespace kelmora
