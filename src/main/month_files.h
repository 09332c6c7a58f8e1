#pragma once
// The month memo files of a folder, for the features that read many months
// at once (search, export): which files there are, and one file read into a
// month.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "main/file_system.h"
#include "main/month_model.h"
#include "main/year_month.h"

namespace kelmora {

// The month a file stands for when its name is one the calendar writes:
// exactly six digits of a year and month it shows, then ".wmd".
std::optional<YearMonth> monthOfMemoFile(std::string_view name);

struct MonthFile {
    YearMonth month;
    std::string name;  // without folder
    auto operator<=>(const MonthFile&) const = default;
};

// The month files in `dir`, in the order the directory lists them.
std::vector<MonthFile> listMemoFiles(const FileSystem& files, const std::string& dir);

// The month files in `dir` (ending in its separator) from `first` to `last`
// (both included), in month order; the folder is listed once.
std::vector<MonthFile> monthFilesIn(const FileSystem& files, const std::string& dir, YearMonth first, YearMonth last);

// Whether `name` is a sync tool's copy of a month file made when two
// machines changed it at once: it begins with the six digits of a month,
// holds "conflict" (any case) and ends in ".wmd" (any case):
// "202612 (… conflicted copy …).wmd", "202612.sync-conflict-….wmd".
bool isConflictCopyName(std::string_view name);
// Such copies in `dir`, in name order.
std::vector<std::string> conflictCopiesIn(const FileSystem& files, const std::string& dir);

enum class MonthFileRead { Read, Gone, Unreadable };

// Builds `month` as `ym` and fills its memo data from the file at `path`.
MonthFileRead readMonthFile(const FileSystem& files, const std::string& path, YearMonth ym, MonthModel& month);

}  // namespace kelmora
