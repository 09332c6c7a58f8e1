#include "main/rescue_copies.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "main/cp932.h"
#include "main/month_file_format.h"

namespace kelmora {
namespace {

constexpr std::size_t kMaxToldListBytes = 1 << 20;
constexpr int kMaxSameSecondCopies = 99;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

RescueCopies::RescueCopies(FileSystem& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

std::string RescueCopies::copyName(int year, int month, const LocalTime& made) {
    char name[64];
    std::snprintf(name, sizeof name, "%04d%02d-%04d%02d%02d-%02d%02d%02d.wmd", year, month, made.date.year,
                  made.date.month, made.date.day, made.hour, made.minute, made.second);
    return name;
}

RescueCopies::Copy* RescueCopies::copyOf(int year, int month) {
    auto it = std::find_if(copies_.begin(), copies_.end(), [&](const Copy& c) { return c.year == year && c.month == month; });
    return it == copies_.end() ? nullptr : &*it;
}

std::string RescueCopies::freshPath(int year, int month, const LocalTime& now) const {
    const std::string name = copyName(year, month, now);
    const std::string stem = folder_ + name.substr(0, name.size() - 4);
    std::string path = folder_ + name;
    for (int n = 2; files_.exists(path) && n <= kMaxSameSecondCopies; ++n) path = stem + "-" + std::to_string(n) + ".wmd";
    return path;
}

RescueResult RescueCopies::keep(const MonthModel& month, const LocalTime& now) {
    if (folder_.empty()) return {{}, cp932::literal("退避コピーの置き場所が決まっていません")};
    const std::optional<std::string> bytes = encodeMonthFile(month);
    if (!bytes) return {{}, memoTooLongCause()};
    Copy* copy = copyOf(month.year, month.month);
    if (copy && copy->bytes == *bytes && files_.exists(copy->path)) return {copy->path, {}};

    if (const FileError error = files_.createFolders(folder_); error.failed())
        return {{}, describeFileError(error)};
    const std::string path = copy ? copy->path : freshPath(month.year, month.month, now);
    WriteResult written = files_.replaceFile(path, *bytes);
    if (!written.ok() && reserveReady_) {
        const WriteResult intoReserve = files_.writeIntoReserve(folder_ + kReserveName, path, *bytes);
        reserveReady_ = false;
        if (intoReserve.ok()) written = intoReserve;
    }
    if (!written.ok()) return {{}, describeFileError(written.error)};
    if (!copy) copy = &copies_.emplace_back(Copy{month.year, month.month, path, {}});
    copy->bytes = *bytes;
    return {path, {}};
}

void RescueCopies::keepReserve() {
    if (reserveReady_ || folder_.empty() || files_.createFolders(folder_).failed()) return;
    reserveReady_ = !files_.reserveSpace(folder_ + kReserveName, kMaxMonthFileBytes).failed();
}

void RescueCopies::discard(int year, int month) {
    Copy* copy = copyOf(year, month);
    if (!copy) return;
    files_.removeFile(copy->path);
    copies_.erase(copies_.begin() + (copy - copies_.data()));
}

std::vector<std::string> RescueCopies::takeUntold() {
    if (folder_.empty()) return {};
    std::vector<std::string> present = files_.listFiles(folder_, ".wmd");
    std::sort(present.begin(), present.end());
    const ReadResult told = files_.readFile(folder_ + kToldListName, kMaxToldListBytes);
    std::vector<std::string> toldNames = told.status == ReadResult::Ok ? linesOf(told.bytes) : std::vector<std::string>{};
    std::sort(toldNames.begin(), toldNames.end());
    std::vector<std::string> untold;
    std::set_difference(present.begin(), present.end(), toldNames.begin(), toldNames.end(), std::back_inserter(untold));
    if (untold.empty()) return {};
    // Copies deleted since drop out of the list.
    std::string list;
    for (const std::string& name : present) list += name + "\n";
    (void)files_.replaceFile(folder_ + kToldListName, list);
    return untold;
}

}  // namespace kelmora
