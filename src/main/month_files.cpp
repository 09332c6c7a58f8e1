#include "main/month_files.h"

#include <algorithm>
#include <cctype>

#include "main/month_file_format.h"

namespace kelmora {
namespace {

constexpr std::string_view kExtension = ".wmd";
constexpr std::size_t kDigits = 6;

// The month the first six characters name, when they are its digits.
std::optional<YearMonth> monthOfDigits(std::string_view name) {
    if (name.size() < kDigits) return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < kDigits; ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        value = value * 10 + (name[i] - '0');
    }
    const YearMonth month{value / 100, value % 100};
    if (!MonthModel::isSupported(month.year, month.month)) return std::nullopt;
    return month;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::optional<YearMonth> monthOfMemoFile(std::string_view name) {
    // The calendar writes the extension in small letters only.
    if (name.size() != kDigits + kExtension.size() || !name.ends_with(kExtension)) return std::nullopt;
    return monthOfDigits(name);
}

std::vector<MonthFile> listMemoFiles(const FileSystem& files, const std::string& dir) {
    std::vector<MonthFile> found;
    for (std::string& name : files.listFiles(withTrailingSeparator(dir), std::string(kExtension)))
        if (const std::optional<YearMonth> month = monthOfMemoFile(name)) found.push_back({*month, std::move(name)});
    return found;
}

std::vector<MonthFile> monthFilesIn(const FileSystem& files, const std::string& dir, YearMonth first, YearMonth last) {
    std::vector<MonthFile> found = listMemoFiles(files, dir);
    std::erase_if(found, [&](const MonthFile& file) { return file.month < first || file.month > last; });
    std::sort(found.begin(), found.end());
    return found;
}

bool isConflictCopyName(std::string_view name) {
    if (monthOfMemoFile(name) || !monthOfDigits(name)) return false;
    const std::string small = lowered(name);
    return small.ends_with(kExtension) && small.find("conflict", kDigits) != std::string::npos;
}

std::vector<std::string> conflictCopiesIn(const FileSystem& files, const std::string& dir) {
    std::vector<std::string> copies = files.listFiles(withTrailingSeparator(dir), std::string(kExtension));
    std::erase_if(copies, [](const std::string& name) { return !isConflictCopyName(name); });
    std::sort(copies.begin(), copies.end());
    return copies;
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
