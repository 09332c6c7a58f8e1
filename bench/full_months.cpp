#include "full_months.h"

#include <array>

#include "main/cp932.h"
#include "main/file_system.h"
#include "main/month_file_format.h"

namespace kelmora::bench {
namespace {

// What a day's lines look like: short entries that fit a default cell's width.
constexpr std::array<const char*, 14> kEntries = {
    "9:00 朝会",  "10:30 打合せ", "昼 弁当",   "13:00 来客", "資料作成",  "15:00 電話", "買い物",
    "18:00 退社", "ジム",         "日記を書く", "歯医者",     "振込 家賃", "本を返す",   "夕食 友人",
};

std::string linesFor(int seed, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += "\r\n";
        text += cp932::literal(kEntries[static_cast<std::size_t>(seed + i) % kEntries.size()]);
    }
    return text;
}

}  // namespace

void fillFullMonth(MonthModel& month, int longDay) {
    for (int week = 1; week <= month.weekRows; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            Tmemocell& memo = month.memos[col][week];
            const int seed = week * kColumns + col;
            const bool isLong = longDay != 0 && month.cells[col][week].day == longDay;
            memo.text = linesFor(seed, isLong ? kLinesOnToday : kLinesPerCell);
            if (seed % 5 == 0) {
                memo.hasBackColor = 1;
                memo.backColor = rgb(255, 244, 214);
            }
        }
    }
}

bool writeFullMonths(const std::string& programDir, const Date& today, bool mondayStart) {
    RealFileSystem files;
    for (int step = 0; step < 2; ++step) {
        MonthModel month;
        month.mondayStart = mondayStart;
        const int m0 = today.month - 1 + step;
        month.year = static_cast<std::uint16_t>(today.year + m0 / 12);
        month.month = static_cast<std::uint16_t>(m0 % 12 + 1);
        if (!month.buildMonth()) return false;
        fillFullMonth(month, step == 0 ? today.day : 0);
        const std::optional<std::string> bytes = encodeMonthFile(month);
        if (!bytes || !files.replaceFile(monthFileName(programDir, month.year, month.month), *bytes).ok())
            return false;
    }
    return true;
}

}  // namespace kelmora::bench
