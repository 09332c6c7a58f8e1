#include "main/arrow_marks.h"

namespace kelmora {
namespace {

constexpr int kCells = kColumns * kWeeks;

// The grid's cells in reading order: 0 is column 0 of week 1.
int indexOfDay(const MonthModel& month, int day) {
    int col = 0, week = 0;
    month.cellOfDay(day, col, week);
    return (week - 1) * kColumns + col;
}

Tmemocell& memoAt(MonthModel& month, int index) { return month.memos[index % kColumns][index / kColumns + 1]; }
bool hasDate(const MonthModel& month, int index) {
    return index >= 0 && index < kCells && month.cells[index % kColumns][index / kColumns + 1].day != 0;
}

// 2 on the days beyond `index` in direction `step` until the month ends.
void markThrough(MonthModel& month, int index, int step) {
    for (int i = index + step; hasDate(month, i); i += step) memoAt(month, i).arrow = ArrowThrough;
}

WalkEnd clearUntil(MonthModel& month, int day, int step, ArrowMark last) {
    month.dirty = true;
    for (int i = indexOfDay(month, day); hasDate(month, i); i += step) {
        Tmemocell& memo = memoAt(month, i);
        const bool found = memo.arrow == last;
        memo.arrow = NoArrow;
        if (found) return WalkEnd::AtMark;
    }
    return WalkEnd::AtMonthEdge;
}

}  // namespace

void markSpan(MonthModel& month, int firstDay, int lastDay) {
    const int first = indexOfDay(month, firstDay), last = indexOfDay(month, lastDay);
    memoAt(month, first).arrow = ArrowStart;
    for (int i = first + 1; i < last; ++i) memoAt(month, i).arrow = ArrowThrough;
    memoAt(month, last).arrow = ArrowEnd;
    month.dirty = true;
}

void markStartHalf(MonthModel& month, int day) {
    const int index = indexOfDay(month, day);
    memoAt(month, index).arrow = ArrowStart;
    markThrough(month, index, +1);
    month.dirty = true;
}

void markEndHalf(MonthModel& month, int day) {
    const int index = indexOfDay(month, day);
    memoAt(month, index).arrow = ArrowEnd;
    markThrough(month, index, -1);
    month.dirty = true;
}

WalkEnd clearForward(MonthModel& month, int day) { return clearUntil(month, day, +1, ArrowEnd); }

WalkEnd clearBackward(MonthModel& month, int day) { return clearUntil(month, day, -1, ArrowStart); }

}  // namespace kelmora
