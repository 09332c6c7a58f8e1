#include "main/month_files.h"

#include <algorithm>

#include "main/expired_files.h"
#include "main/month_file_format.h"

namespace kelmora {

std::optional<YearMonth> monthOfMemoFile(std::string_view name) {
    // The calendar writes the extension in small letters only.
    if (!name.ends_with(".wmd")) return std::nullopt;
    const std::optional<Date> first = monthOfFileName(std::string(name));
    if (!first || !MonthModel::isSupported(first->year, first->month)) return std::nullopt;
    return YearMonth{first->year, first->month};
}

std::vector<MonthFile> monthFilesIn(const FileSystem& files, const std::string& dir, YearMonth first, YearMonth last) {
    std::vector<MonthFile> found;
    for (std::string& name : listMemoFiles(files, dir)) {
        const std::optional<YearMonth> month = monthOfMemoFile(name);
        if (month && *month >= first && *month <= last) found.push_back({*month, std::move(name)});
    }
    std::sort(found.begin(), found.end());
    return found;
}

MonthFileRead readMonthFile(const FileSystem& files, const std::string& path, YearMonth ym, MonthModel& month) {
    month.year = static_cast<std::uint16_t>(ym.year);
    month.month = static_cast<std::uint16_t>(ym.month);
    if (!month.buildMonth()) return MonthFileRead::Unreadable;
    month.clearMemos();
    const ReadResult read = files.readFile(path, kMaxMonthFileBytes);
    if (read.status == ReadResult::CannotOpen && read.error.problem == FileProblem::NotFound) return MonthFileRead::Gone;
    if (read.status != ReadResult::Ok || !decodeMonthFile(read.bytes, month)) return MonthFileRead::Unreadable;
    return MonthFileRead::Read;
}

}  // namespace kelmora
