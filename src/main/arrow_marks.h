#pragma once
// Laying and clearing the arrow marks of the shown month. Days are days of
// the shown month; the cells are found in its current week layout. Every
// walk goes in reading order (next column, after column 6 column 0 of the
// next week) and stays on the month's own days: a cell before the 1st or
// after the last day, or a step out of the grid's 7 × 6 cells, is the edge
// of the month. Each change sets `dirty`.

#include "main/month_model.h"

namespace kelmora {

// 1 on `firstDay`, 3 on `lastDay`, 2 on every day between (arrows of their
// own on those days are overwritten).
void markSpan(MonthModel& month, int firstDay, int lastDay);
// The part of an arrow that runs on into the next month: 1 on `day`, 2 on
// every later day of the month.
void markStartHalf(MonthModel& month, int day);
// The part of an arrow that comes from the previous month: 3 on `day`, 2 on
// every earlier day of the month.
void markEndHalf(MonthModel& month, int day);

enum class WalkEnd {
    AtMark,       // the end (or start) mark was met and cleared
    AtMonthEdge,  // the month ended first: the arrow runs on into the next (or previous) month
};

// Clears `day` and the days after it, up to and including the first day
// that carries the arrow's end mark.
WalkEnd clearForward(MonthModel& month, int day);
// Clears `day` and the days before it, back to and including the first day
// that carries the arrow's start mark.
WalkEnd clearBackward(MonthModel& month, int day);

}  // namespace kelmora
