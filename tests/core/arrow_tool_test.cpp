// The arrow tool without a window: clicks on days, the arrows it lays and
// deletes across one or two months, checked in the month files, and what
// happens when a month cannot be saved on the way.

#include "main/arrow_tool.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "main/file_system.h"
#include "main/month_store.h"
#include "arrow_digits.h"
#include "memo_file_test_support.h"

namespace kelmora {
namespace {

using testing::arrowDigits;
using testing::arrowDigitsOnDisk;
using testing::marked;
using testing::ScriptedPrompts;
using testing::TempFolder;

// The real files, except the month files named here, which cannot be created.
class RefusingFileSystem : public RealFileSystem {
public:
    std::set<std::string> refused;  // e.g. "202412.wmd"
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        for (const std::string& name : refused)
            if (path.ends_with(name)) return {WriteStatus::CannotCreate, {FileProblem::NoPermission}};
        return RealFileSystem::replaceFile(path, bytes);
    }
};

// The shown month and the tool, changing months as the calendar window does:
// save, build, load.
class Calendar : public ArrowMonths {
public:
    explicit Calendar(Layout layout) { month_.mondayStart = layout == MondayFirst; }

    TempFolder folder;
    RefusingFileSystem files;
    ScriptedPrompts prompts;
    MonthStore store{files, prompts, folder.dir()};
    ArrowTool tool;

    MonthModel& shown() override { return month_; }
    // The window asks Abort/Retry; the answer here is always Abort.
    bool save() { return savedToFile(store.saveMonth(month_, tool.busy(), OnSaveFailure::report())); }
    bool move(int delta) override { return save() && show(delta); }
    void moveWithoutSaving(int delta) override { show(delta); }

    void open(int year, int month) {
        month_.year = static_cast<std::uint16_t>(year);
        month_.month = static_cast<std::uint16_t>(month);
        EXPECT_TRUE(month_.buildMonth());
        store.loadMonth(month_);
    }
    void go(int year, int month) {
        EXPECT_TRUE(save());
        open(year, month);
    }

    // Shows the day's month and clicks the day's memo cell; a click that
    // completes the arrow lays it.
    ArrowClick clickDay(const Date& date) {
        if (date.year != month_.year || date.month != month_.month) go(date.year, date.month);
        int col = 0, week = 0;
        month_.cellOfDay(date.day, col, week);
        return clickCell(col, MonthModel::memoRow(week));
    }
    ArrowClick clickCell(int col, int row) {
        const ArrowClick click = tool.click(month_, col, row);
        if (click.outcome == ArrowClick::LastChosen) {
            const ArrowPlan plan = tool.createArrow(month_);
            tooLong = plan.tooLong;
            result = runArrowSteps(plan.steps, *this);
            tool.reset();
        }
        return click;
    }
    void lay(const Date& first, const Date& last) {
        tool.arm();
        clickDay(first);
        ASSERT_EQ(clickDay(last).outcome, ArrowClick::LastChosen);
        ASSERT_TRUE(result.complete);
    }
    void deleteFrom(const Date& date) {
        if (date.year != month_.year || date.month != month_.month) go(date.year, date.month);
        int col = 0, week = 0;
        month_.cellOfDay(date.day, col, week);
        result = runArrowSteps(arrowDeletionSteps(month_, col, MonthModel::memoRow(week)), *this);
    }

    std::string marksOnDisk(int year, int month) {
        return arrowDigitsOnDisk(folder.dir(), year, month, month_.mondayStart);
    }

    bool tooLong = false;
    ArrowStepsResult result;

private:
    bool show(int delta) {
        const YearMonth shown{month_.year, month_.month};
        const YearMonth next = delta > 0 ? shown.next() : shown.previous();
        open(next.year, next.month);
        return true;
    }
    MonthModel month_;
};

struct MonthMarks {
    int year, month;
    std::string digits;
};

TEST(ArrowTool, LaysSpansWithinAMonthAndIntoTheNext) {
    struct Case {
        const char* name;
        Layout layout;
        std::vector<std::pair<Date, Date>> laidBefore;
        Date first, last;
        bool refused;  // more than one month apart
        std::vector<MonthMarks> want;
        int shownYear, shownMonth;
    };
    const Case cases[] = {
        {"December into January", SundayFirst, {}, {2024, 12, 28}, {2025, 1, 3}, false,
         {{2024, 12, marked(31, 28, "1222")}, {2025, 1, marked(31, 1, "223")}}, 2025, 1},
        {"the last day clicked first", SundayFirst, {}, {2025, 1, 3}, {2024, 12, 28}, false,
         {{2024, 12, marked(31, 28, "1222")}, {2025, 1, marked(31, 1, "223")}}, 2024, 12},
        {"December into January, weeks from Monday", MondayFirst, {}, {2024, 12, 28}, {2025, 1, 3}, false,
         {{2024, 12, marked(31, 28, "1222")}, {2025, 1, marked(31, 1, "223")}}, 2025, 1},
        {"within a month, the last day first", SundayFirst, {}, {2024, 5, 20}, {2024, 5, 10}, false,
         {{2024, 5, marked(31, 10, "12222222223")}}, 2024, 5},
        {"two days side by side", SundayFirst, {}, {2024, 5, 4}, {2024, 5, 5}, false,
         {{2024, 5, marked(31, 4, "13")}}, 2024, 5},
        {"over days that carry arrows of their own", SundayFirst, {{{2024, 5, 12}, {2024, 5, 14}}},
         {2024, 5, 10}, {2024, 5, 20}, false, {{2024, 5, marked(31, 10, "12222222223")}}, 2024, 5},
        {"ending on the 1st", SundayFirst, {}, {2025, 1, 30}, {2025, 2, 1}, false,
         {{2025, 1, marked(31, 30, "12")}, {2025, 2, marked(28, 1, "3")}}, 2025, 2},
        {"starting on the last day", SundayFirst, {}, {2025, 1, 31}, {2025, 2, 2}, false,
         {{2025, 1, marked(31, 31, "1")}, {2025, 2, marked(28, 1, "23")}}, 2025, 2},
        {"January to March is refused", SundayFirst, {}, {2025, 1, 10}, {2025, 3, 5}, true,
         {{2025, 1, marked(31)}, {2025, 2, marked(28)}, {2025, 3, marked(31)}}, 2025, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Calendar calendar(c.layout);
        calendar.open(c.first.year, c.first.month);
        for (const auto& [first, last] : c.laidBefore) calendar.lay(first, last);
        calendar.tool.arm();
        EXPECT_EQ(calendar.clickDay(c.first).outcome, ArrowClick::FirstChosen);
        EXPECT_EQ(calendar.tool.state, ArrowWaitingForLast);
        EXPECT_EQ(calendar.clickDay(c.last).outcome, ArrowClick::LastChosen);
        EXPECT_EQ(calendar.tooLong, c.refused);
        EXPECT_TRUE(calendar.result.complete);
        EXPECT_EQ(calendar.shown().year, c.shownYear);
        EXPECT_EQ(calendar.shown().month, c.shownMonth);
        calendar.go(c.shownYear, c.shownMonth);  // what the shown month still held in memory
        for (const MonthMarks& m : c.want)
            EXPECT_EQ(calendar.marksOnDisk(m.year, m.month), m.digits) << m.year << "-" << m.month;
    }
}

TEST(ArrowTool, RefusesCellsWithoutADateOrWithAnArrowAndWaitsOnTheSameDay) {
    Calendar calendar(SundayFirst);
    calendar.open(2024, 12);  // 1 December 2024 is a Sunday: 5 weeks, 29 December - 4 January in week 5
    calendar.lay({2024, 12, 10}, {2024, 12, 12});
    const std::string laid = marked(31, 10, "123");
    struct Click {
        int col, row;
        ArrowClick::Outcome outcome;
        bool alreadyArrow, noDate;
        ArrowToolPhase after;
        bool focusHere;  // the first day clicked takes the focus, refused or not
    };
    struct Case {
        const char* name;
        std::vector<Click> clicks;
    };
    const Case cases[] = {
        {"first day beside the month", {{5, 10, ArrowClick::Refused, false, true, ArrowIdle, true}}},
        {"first day in the empty sixth week", {{0, 12, ArrowClick::Refused, false, true, ArrowIdle, true}}},
        {"first day on an arrow", {{3, 4, ArrowClick::Refused, true, false, ArrowIdle, true}}},
        {"last day beside the month",
         {{0, 4, ArrowClick::FirstChosen, false, false, ArrowWaitingForLast, true},
          {4, 10, ArrowClick::Refused, false, true, ArrowIdle, false}}},
        {"last day on an arrow",
         {{0, 4, ArrowClick::FirstChosen, false, false, ArrowWaitingForLast, true},
          {4, 4, ArrowClick::Refused, true, false, ArrowIdle, false}}},
        {"the same day twice",
         {{0, 4, ArrowClick::FirstChosen, false, false, ArrowWaitingForLast, true},
          {0, 4, ArrowClick::SameDay, false, false, ArrowWaitingForLast, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calendar.tool.arm();
        for (const Click& click : c.clicks) {
            const ArrowClick got = calendar.clickCell(click.col, click.row);
            EXPECT_EQ(got.outcome, click.outcome);
            EXPECT_EQ(got.refusal.alreadyArrow, click.alreadyArrow);
            EXPECT_EQ(got.refusal.noDate, click.noDate);
            EXPECT_EQ(got.focusHere, click.focusHere);
            EXPECT_EQ(calendar.tool.state, click.after);
        }
        calendar.tool.reset();
        EXPECT_EQ(arrowDigits(calendar.shown()), laid);
    }
    // After the same day twice the tool still takes another last day.
    calendar.tool.arm();
    calendar.clickDay({2024, 12, 2});
    calendar.clickDay({2024, 12, 2});
    EXPECT_EQ(calendar.clickDay({2024, 12, 4}).outcome, ArrowClick::LastChosen);
    EXPECT_EQ(arrowDigits(calendar.shown()), marked(31, 2, "12300000123"));
}

TEST(ArrowTool, DeletesTheWholeArrowFromAnyOfItsDays) {
    struct Case {
        const char* name;
        Layout layout;
        Date first, last;  // the arrow
        Date from;         // where it is deleted
    };
    const Case cases[] = {
        {"first day, runs on into January", SundayFirst, {2024, 12, 28}, {2025, 1, 3}, {2024, 12, 28}},
        {"a middle day in December", SundayFirst, {2024, 12, 28}, {2025, 1, 3}, {2024, 12, 30}},
        {"a middle day in January", SundayFirst, {2024, 12, 28}, {2025, 1, 3}, {2025, 1, 2}},
        {"last day, came from December", SundayFirst, {2024, 12, 28}, {2025, 1, 3}, {2025, 1, 3}},
        // 31 August 2024 is a Saturday, 1 September a Sunday in column 0.
        {"month ends in column 6: a middle day before it", SundayFirst, {2024, 8, 29}, {2024, 9, 3}, {2024, 8, 30}},
        {"month starts in column 0: a middle day after it", SundayFirst, {2024, 8, 29}, {2024, 9, 3}, {2024, 9, 2}},
        {"month starts in column 0: the last day", SundayFirst, {2024, 8, 29}, {2024, 9, 3}, {2024, 9, 3}},
        {"month starts in column 0: the 1st", MondayFirst, {2023, 12, 30}, {2024, 1, 2}, {2024, 1, 1}},
        // February 2026 fills four weeks: its fifth week row is empty.
        {"after a four-week February", SundayFirst, {2026, 2, 27}, {2026, 3, 2}, {2026, 3, 2}},
        {"within a month, a middle day", SundayFirst, {2024, 5, 6}, {2024, 5, 16}, {2024, 5, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Calendar calendar(c.layout);
        calendar.open(c.first.year, c.first.month);
        // Arrows of their own around it stay.
        calendar.lay({c.first.year, c.first.month, 1}, {c.first.year, c.first.month, 3});
        calendar.lay({c.last.year, c.last.month, 20}, {c.last.year, c.last.month, 22});
        calendar.lay(c.first, c.last);
        calendar.deleteFrom(c.from);
        EXPECT_TRUE(calendar.result.complete);
        EXPECT_EQ(calendar.shown().year, c.from.year);
        EXPECT_EQ(calendar.shown().month, c.from.month);
        calendar.go(c.from.year, c.from.month);
        std::string firstMonth = marked(daysInMonth(c.first.year, c.first.month), 1, "123");
        std::string lastMonth = marked(daysInMonth(c.last.year, c.last.month), 20, "123");
        if (c.first.month == c.last.month) {
            firstMonth.replace(19, 3, "123");
            lastMonth = firstMonth;
        }
        EXPECT_EQ(calendar.marksOnDisk(c.first.year, c.first.month), firstMonth);
        EXPECT_EQ(calendar.marksOnDisk(c.last.year, c.last.month), lastMonth);
    }
}

TEST(ArrowTool, AMonthThatCannotBeSavedStopsTheStepsAndNothingShownIsLost) {
    struct Case {
        const char* name;
        std::string refused;
        bool deleting;
        std::string december, january;  // on disk afterwards
        std::string januaryShown;        // marks of the month shown afterwards
    };
    const Case cases[] = {
        // Laid from January: its half is saved, December's is given up.
        {"laying, December cannot be saved", "202412.wmd", false, marked(31), marked(31, 1, "223"),
         marked(31, 1, "223")},
        // January's own save fails: its half stays shown and unsaved.
        {"laying, January cannot be saved", "202501.wmd", false, marked(31), marked(31), marked(31, 1, "223")},
        {"deleting, December cannot be saved", "202412.wmd", true, marked(31, 28, "1222"), marked(31),
         marked(31)},
        {"deleting, January cannot be saved", "202501.wmd", true, marked(31, 28, "1222"), marked(31, 1, "223"),
         marked(31)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Calendar calendar(SundayFirst);
        calendar.open(2024, 12);
        if (c.deleting) {
            calendar.lay({2024, 12, 28}, {2025, 1, 3});
        } else {
            calendar.tool.arm();
            calendar.clickDay({2024, 12, 28});
        }
        calendar.go(2025, 1);
        // Something typed in January that was not saved yet.
        calendar.shown().memos[0][3].text = "typed";
        calendar.shown().dirty = true;
        calendar.files.refused = {c.refused};
        if (c.deleting) calendar.deleteFrom({2025, 1, 2});
        else calendar.clickDay({2025, 1, 3});
        EXPECT_FALSE(calendar.result.complete);
        EXPECT_EQ(calendar.result.missedMonth, -1);
        EXPECT_EQ(calendar.shown().month, 1);
        EXPECT_TRUE(calendar.shown().dirty);
        EXPECT_EQ(calendar.shown().memos[0][3].text, "typed");
        EXPECT_EQ(arrowDigits(calendar.shown()), c.januaryShown);
        EXPECT_EQ(calendar.marksOnDisk(2024, 12), c.december);
        EXPECT_EQ(calendar.marksOnDisk(2025, 1), c.january);
    }
}

}  // namespace
}  // namespace kelmora
