#include "main/arrow_tool.h"

#include <utility>

#include "main/arrow_marks.h"

namespace kelmora {
namespace {

bool shows(const MonthModel& shown, int year, int month) { return shown.year == year && shown.month == month; }

void append(std::vector<ArrowStep>& steps, std::initializer_list<ArrowStep> more) {
    steps.insert(steps.end(), more.begin(), more.end());
}

// The neighbouring month the steps reach into: -1, +1, or 0 for none.
int otherMonthOf(const std::vector<ArrowStep>& steps) {
    for (const ArrowStep& step : steps) {
        if (step.kind == ArrowStep::PreviousMonth) return -1;
        if (step.kind == ArrowStep::NextMonth) return +1;
    }
    return 0;
}

std::uint8_t arrowOnDay(const MonthModel& month, int day) {
    int col = 0, week = 0;
    month.cellOfDay(day, col, week);
    return month.memos[col][week].arrow;
}

// Applies a step that changes the shown month's marks.
void applyToMonth(const ArrowStep& step, MonthModel& month) {
    switch (step.kind) {
        case ArrowStep::MarkSpan: markSpan(month, step.day, step.lastDay); break;
        case ArrowStep::MarkStartHalf: markStartHalf(month, step.day); break;
        case ArrowStep::MarkEndHalf: markEndHalf(month, step.day); break;
        case ArrowStep::ClearForward: clearForward(month, step.day); break;
        case ArrowStep::ClearBackward: clearBackward(month, step.day); break;
        // The other half is looked for only in a file that stores arrows.
        case ArrowStep::ClearFromFirstDay:
            if (month.arrowDataLoaded && arrowOnDay(month, 1) != NoArrow) clearForward(month, 1);
            break;
        case ArrowStep::ClearFromLastDay: {
            const int last = daysInMonth(month.year, month.month);
            if (month.arrowDataLoaded && arrowOnDay(month, last) != NoArrow) clearBackward(month, last);
            break;
        }
        default: break;
    }
}

}  // namespace

ArrowRefusal checkArrowCell(const MonthModel& month, int col, int row) {
    const int week = MonthModel::weekOfRow(row);
    ArrowRefusal refusal;
    if (!MonthModel::inBlock(col, week)) {
        refusal.noDate = true;
        return refusal;
    }
    refusal.alreadyArrow = month.memos[col][week].arrow != NoArrow;
    refusal.noDate = month.cells[col][week].day == 0;
    return refusal;
}

ArrowClick ArrowTool::click(const MonthModel& shown, int col, int row) {
    ArrowClick result;
    if (state == ArrowIdle) return result;
    const int week = MonthModel::weekOfRow(row);
    const std::uint16_t day = MonthModel::inBlock(col, week) ? shown.cells[col][week].day : 0;
    const ArrowRefusal refusal = checkArrowCell(shown, col, row);

    if (state == ArrowWaitingForFirst) {
        startYear = shown.year;
        startMonth = shown.month;
        startDay = day;
        startRow = static_cast<std::uint16_t>(row);
        startCol = static_cast<std::uint16_t>(col);
        state = ArrowWaitingForLast;
        result.focusHere = true;
        result.outcome = ArrowClick::FirstChosen;
    } else {
        endYear = shown.year;
        endMonth = shown.month;
        endDay = day;
        if (!refusal.any() && endYear == startYear && endMonth == startMonth && endDay == startDay) {
            result.outcome = ArrowClick::SameDay;
            return result;
        }
        result.focusHere = !refusal.any();
        result.outcome = ArrowClick::LastChosen;
    }
    if (refusal.any()) {
        reset();
        result.outcome = ArrowClick::Refused;
        result.refusal = refusal;
    }
    return result;
}

void ArrowTool::putInDateOrder() {
    const Date start{startYear, startMonth, startDay}, end{endYear, endMonth, endDay};
    if (end >= start) return;
    std::swap(startYear, endYear);
    std::swap(startMonth, endMonth);
    std::swap(startDay, endDay);
}

// The halves are found again by their days: the month they fall in is built
// afresh when it is shown, so a recorded cell could point at another day.
ArrowPlan ArrowTool::createArrow(const MonthModel& shown) {
    putInDateOrder();
    ArrowPlan plan;
    const YearMonth first{startYear, startMonth}, last{endYear, endMonth};
    const bool showingStart = shows(shown, startYear, startMonth), showingEnd = shows(shown, endYear, endMonth);
    // A month change saves the month it leaves.
    if (last > first.next()) {
        plan.tooLong = true;
    } else if (last == first && showingStart) {
        plan.steps = {{ArrowStep::MarkSpan, startDay, endDay}};
    } else if (showingEnd) {
        plan.steps = {{ArrowStep::MarkEndHalf, endDay}, {ArrowStep::PreviousMonth},
                      {ArrowStep::MarkStartHalf, startDay}, {ArrowStep::NextMonth}};
    } else if (showingStart) {
        plan.steps = {{ArrowStep::MarkStartHalf, startDay}, {ArrowStep::NextMonth},
                      {ArrowStep::MarkEndHalf, endDay}, {ArrowStep::PreviousMonth}};
    }
    return plan;
}

std::vector<ArrowStep> arrowDeletionSteps(const MonthModel& shown, int col, int row) {
    const int week = MonthModel::weekOfRow(row);
    if (!MonthModel::inBlock(col, week)) return {};
    const int day = shown.cells[col][week].day;
    const std::uint8_t mark = shown.memos[col][week].arrow;
    if (day == 0) return {};

    const std::initializer_list<ArrowStep> intoNext = {
        {ArrowStep::NextMonth}, {ArrowStep::ClearFromFirstDay}, {ArrowStep::PreviousMonth}};
    const std::initializer_list<ArrowStep> intoPrevious = {
        {ArrowStep::PreviousMonth}, {ArrowStep::ClearFromLastDay}, {ArrowStep::NextMonth}};
    // The walks are tried on a copy to see whether the arrow leaves the month.
    MonthModel trial = shown;
    std::vector<ArrowStep> steps;
    switch (mark) {
        case ArrowStart:
            steps = {{ArrowStep::ClearForward, day}};
            if (clearForward(trial, day) == WalkEnd::AtMonthEdge) append(steps, intoNext);
            break;
        case ArrowEnd:
            steps = {{ArrowStep::ClearBackward, day}};
            if (clearBackward(trial, day) == WalkEnd::AtMonthEdge) append(steps, intoPrevious);
            break;
        case ArrowThrough: {
            // Back to the start first; when the month begins before it, the
            // arrow came from the previous month.
            steps = {{ArrowStep::ClearBackward, day}, {ArrowStep::ClearForward, day}};
            const bool fromPrevious = clearBackward(trial, day) == WalkEnd::AtMonthEdge;
            const bool intoNextMonth = clearForward(trial, day) == WalkEnd::AtMonthEdge;
            if (fromPrevious) append(steps, intoPrevious);
            else if (intoNextMonth) append(steps, intoNext);
            break;
        }
        default: break;
    }
    return steps;
}

ArrowStepsResult runArrowSteps(const std::vector<ArrowStep>& steps, ArrowMonths& months) {
    const int other = otherMonthOf(steps);
    int away = 0;              // months from the one the steps began in
    bool unsavedAway = false;  // a change in the other month not saved yet
    for (const ArrowStep& step : steps) {
        bool done = true;
        switch (step.kind) {
            case ArrowStep::PreviousMonth:
            case ArrowStep::NextMonth: {
                const int delta = step.kind == ArrowStep::NextMonth ? 1 : -1;
                done = months.move(delta);
                if (done) {
                    away += delta;
                    unsavedAway = false;
                }
                break;
            }
            default:
                applyToMonth(step, months.shown());
                unsavedAway = away != 0;
                break;
        }
        if (!done) {
            // Back to the month the steps began in; its file holds what it
            // showed when it was left.
            if (away != 0) months.moveWithoutSaving(-away);
            months.shown().dirty = true;
            ArrowStepsResult result;
            result.complete = away != 0 && !unsavedAway;
            if (!result.complete) result.missedMonth = other;
            return result;
        }
    }
    return {};
}

bool savedToFile(SaveOutcome outcome) {
    return outcome == SaveOutcome::Written || outcome == SaveOutcome::NotDirty ||
           outcome == SaveOutcome::NothingToWrite;
}

}  // namespace kelmora
