#include "main/month_merge.h"

#include <algorithm>
#include <cstdint>

#include "main/cp932.h"

namespace kelmora {
namespace {

bool sameBackColour(const Tmemocell& a, const Tmemocell& b) {
    return a.hasBackColor == b.hasBackColor && (!a.hasBackColor || a.backColor == b.backColor);
}
bool sameFontColour(const Tmemocell& a, const Tmemocell& b) {
    return a.hasFontColor == b.hasFontColor && (!a.hasFontColor || a.fontColor == b.fontColor);
}
bool sameMark(const Tdaymark& a, const Tdaymark& b) {
    return a.holidayMark == b.holidayMark && a.weekdayMark == b.weekdayMark;
}

struct Change {
    bool mineChanged = false;
    bool theirsChanged = false;
};

// The three-way rule for one field: theirs is taken when only they changed it.
bool takeTheirs(Change change) { return !change.mineChanged && change.theirsChanged; }

// One arrow of a month, or the part of one that runs on from or into the
// neighbouring month: the day it begins on and the marks of its days.
struct ArrowRun {
    int firstDay = 0;
    std::vector<std::uint8_t> marks;
    int lastDay() const { return firstDay + static_cast<int>(marks.size()) - 1; }
    bool overlaps(const ArrowRun& other) const { return firstDay <= other.lastDay() && other.firstDay <= lastDay(); }
    bool operator==(const ArrowRun&) const = default;
};

std::uint8_t& arrowOnDay(MonthModel& month, int day) {
    int col = 0, week = 0;
    month.cellOfDay(day, col, week);
    return month.memos[col][week].arrow;
}
std::uint8_t arrowOnDay(const MonthModel& month, int day) { return arrowOnDay(const_cast<MonthModel&>(month), day); }

// The arrows of the month's own days in date order. A start mark begins a
// run, an end mark closes it; marks without a start (the month's first days,
// or a file edited by hand) begin one too, so every mark belongs to a run.
std::vector<ArrowRun> arrowRunsOf(const MonthModel& month) {
    std::vector<ArrowRun> runs;
    bool open = false;
    const int days = daysInMonth(month.year, month.month);
    for (int day = 1; day <= days; ++day) {
        const std::uint8_t mark = arrowOnDay(month, day);
        if (mark == NoArrow || mark == ArrowStart) open = false;
        if (mark == NoArrow) continue;
        if (!open) runs.push_back({day, {}});
        runs.back().marks.push_back(mark);
        open = mark != ArrowEnd;
    }
    return runs;
}

bool holds(const std::vector<ArrowRun>& runs, const ArrowRun& run) {
    return std::find(runs.begin(), runs.end(), run) != runs.end();
}

// Whole arrows: mine stay unless theirs removed one we both had; theirs
// that are new come in where they cross none of mine.
std::vector<ArrowRun> mergeArrowRuns(const std::vector<ArrowRun>& base, const std::vector<ArrowRun>& mine,
                                     const std::vector<ArrowRun>& theirs) {
    std::vector<ArrowRun> merged;
    for (const ArrowRun& run : mine)
        if (holds(theirs, run) || !holds(base, run)) merged.push_back(run);
    const std::size_t mineKept = merged.size();
    for (const ArrowRun& run : theirs) {
        if (holds(base, run) || holds(mine, run)) continue;
        const bool crossesMine = std::any_of(merged.begin(), merged.begin() + static_cast<std::ptrdiff_t>(mineKept),
                                             [&](const ArrowRun& kept) { return kept.overlaps(run); });
        if (!crossesMine) merged.push_back(run);
    }
    return merged;
}

Date dateOfCell(const MonthModel& month, int col, int week) {
    int firstCol = 0, firstWeek = 0;
    month.cellOfDay(1, firstCol, firstWeek);
    const long long offset = (week - firstWeek) * kColumns + (col - firstCol);
    return addDays(Date{month.year, month.month, 1}, offset);
}

void addOnce(std::vector<Date>& days, const Date& day) {
    if (days.empty() || days.back() != day) days.push_back(day);
}

}  // namespace

const std::string& memoJoinLine() {
    static const std::string line = cp932::literal("――（この画面で入力）――");
    return line;
}

MonthMergeReport mergeMonth(const MonthModel& base, MonthModel& mine, const MonthModel& theirsAsRead,
                            MonthFileSections theirsHolds) {
    // What an older file cannot hold, it has not changed.
    MonthModel theirs = theirsAsRead;
    theirs.onSelectionCleared = nullptr;
    for (int col = 0; col < kColumns; ++col) {
        for (int week = 1; week <= kWeeks; ++week) {
            if (!theirsHolds.marks) theirs.marks[col][week] = base.marks[col][week];
            if (!theirsHolds.arrowsAndColours) {
                const Tmemocell& from = base.memos[col][week];
                Tmemocell& to = theirs.memos[col][week];
                to.arrow = from.arrow;
                to.hasBackColor = from.hasBackColor;
                to.backColor = from.backColor;
                to.hasFontColor = from.hasFontColor;
                to.fontColor = from.fontColor;
            }
        }
    }

    MonthMergeReport report;
    for (int week = 1; week <= kWeeks; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const Tmemocell& was = base.memos[col][week];
            const Tmemocell& other = theirs.memos[col][week];
            Tmemocell& memo = mine.memos[col][week];
            const Date day = dateOfCell(mine, col, week);
            bool took = false;

            const Change text{memo.text != was.text, other.text != was.text};
            if (takeTheirs(text)) {
                memo.text = other.text;
                took = true;
            } else if (text.mineChanged && text.theirsChanged && memo.text != other.text) {
                std::string both = other.text;
                if (!both.empty() && !memo.text.empty()) both += "\r\n" + memoJoinLine() + "\r\n";
                both += memo.text;
                if (both.size() <= kMaxMemoBytes) {
                    memo.text = std::move(both);
                    addOnce(report.joined, day);
                    took = true;
                } else {
                    addOnce(report.notJoined, day);
                }
            }
            if (takeTheirs(Change{!sameBackColour(memo, was), !sameBackColour(other, was)})) {
                memo.hasBackColor = other.hasBackColor;
                memo.backColor = other.backColor;
                took = true;
            }
            if (takeTheirs(Change{!sameFontColour(memo, was), !sameFontColour(other, was)})) {
                memo.hasFontColor = other.hasFontColor;
                memo.fontColor = other.fontColor;
                took = true;
            }
            Tdaymark& mark = mine.marks[col][week];
            if (takeTheirs(Change{!sameMark(mark, base.marks[col][week]), !sameMark(theirs.marks[col][week], base.marks[col][week])})) {
                mark = theirs.marks[col][week];
                took = true;
            }
            // A cell without a date has no arrow of a month's days: field by field.
            if (mine.cells[col][week].day == 0 &&
                takeTheirs(Change{memo.arrow != was.arrow, other.arrow != was.arrow})) {
                memo.arrow = other.arrow;
                took = true;
            }
            if (took) addOnce(report.taken, day);
        }
    }

    const std::vector<ArrowRun> mineRuns = arrowRunsOf(mine);
    const std::vector<ArrowRun> merged = mergeArrowRuns(arrowRunsOf(base), mineRuns, arrowRunsOf(theirs));
    const int days = daysInMonth(mine.year, mine.month);
    std::vector<std::uint8_t> before(static_cast<std::size_t>(days) + 1);
    for (int day = 1; day <= days; ++day) {
        before[static_cast<std::size_t>(day)] = arrowOnDay(mine, day);
        arrowOnDay(mine, day) = NoArrow;
    }
    for (const ArrowRun& run : merged)
        for (std::size_t i = 0; i < run.marks.size(); ++i) arrowOnDay(mine, run.firstDay + static_cast<int>(i)) = run.marks[i];
    for (int day = 1; day <= days; ++day) {
        if (arrowOnDay(mine, day) == before[static_cast<std::size_t>(day)]) continue;
        report.taken.push_back({mine.year, mine.month, day});
    }
    std::sort(report.taken.begin(), report.taken.end());
    report.taken.erase(std::unique(report.taken.begin(), report.taken.end()), report.taken.end());
    mine.arrowDataLoaded = mine.arrowDataLoaded || theirs.arrowDataLoaded;

    // The holiday flags follow the merged marks, as after a load.
    (void)mine.buildMonth();
    for (int col = 0; col < kColumns; ++col)
        for (int week = 1; week <= kWeeks; ++week) applyDayMark(mine.cells[col][week], mine.marks[col][week]);
    return report;
}

}  // namespace kelmora
