#include "main/month_merge.h"

#include <gtest/gtest.h>

#include <functional>

#include "built_month.h"
#include "main/arrow_marks.h"
#include "main/cp932.h"
#include "main/month_file_format.h"

namespace kelmora {
namespace {

using testing::built;

// December 2026: Monday the 7th, Wednesday the 23rd is no holiday, the
// 31st a Thursday; its arrows may run on into January.
constexpr int kYear = 2026, kMonth = 12;

using Edit = std::function<void(MonthModel&)>;

Tmemocell& cellOf(MonthModel& m, int day) {
    int col = 0, week = 0;
    m.cellOfDay(day, col, week);
    return m.memos[col][week];
}
Tdaymark& markOf(MonthModel& m, int day) {
    int col = 0, week = 0;
    m.cellOfDay(day, col, week);
    return m.marks[col][week];
}

Edit memo(int day, const char* text) {
    return [=](MonthModel& m) { cellOf(m, day).text = cp932::literal(text); };
}
Edit back(int day, Colour colour) {
    return [=](MonthModel& m) {
        cellOf(m, day).hasBackColor = 1;
        cellOf(m, day).backColor = colour;
    };
}
Edit noBack(int day) {
    return [=](MonthModel& m) { cellOf(m, day).hasBackColor = 0; };
}
Edit font(int day, Colour colour) {
    return [=](MonthModel& m) {
        cellOf(m, day).hasFontColor = 1;
        cellOf(m, day).fontColor = colour;
    };
}
Edit holidayMark(int day) {
    return [=](MonthModel& m) { markOf(m, day) = {1, 0}; };
}
Edit workdayMark(int day) {
    return [=](MonthModel& m) { markOf(m, day) = {0, 1}; };
}
Edit noMark(int day) {
    return [=](MonthModel& m) { markOf(m, day) = {}; };
}
Edit arrow(int first, int last) {
    return [=](MonthModel& m) { markSpan(m, first, last); };
}
Edit arrowIntoJanuary(int first) {
    return [=](MonthModel& m) { markStartHalf(m, first); };
}
Edit arrowFromNovember(int last) {
    return [=](MonthModel& m) { markEndHalf(m, last); };
}
Edit noArrowFrom(int day) {
    return [=](MonthModel& m) { clearForward(m, day); };
}

MonthModel monthWith(const std::vector<Edit>& first, const std::vector<Edit>& then = {}) {
    MonthModel m = built(kYear, kMonth);
    for (const Edit& edit : first) edit(m);
    for (const Edit& edit : then) edit(m);
    for (int col = 0; col < kColumns; ++col)
        for (int week = 1; week <= kWeeks; ++week) applyDayMark(m.cells[col][week], m.marks[col][week]);
    return m;
}

std::vector<int> daysOf(const std::vector<Date>& dates) {
    std::vector<int> days;
    for (const Date& d : dates) days.push_back(d.month == kMonth ? d.day : -d.day);
    return days;
}

std::string joinedMemo(const char* theirs, const char* mine) {
    return cp932::literal(theirs) + "\r\n" + memoJoinLine() + "\r\n" + cp932::literal(mine);
}

struct Case {
    const char* name;
    std::vector<Edit> base, mine, theirs;  // mine and theirs are edits on top of the base
    std::vector<Edit> want;
    std::vector<int> joined = {};
    std::vector<int> taken = {};
};

// Each field changed on one side, on both, a memo on both; arrows in the
// month and across its ends.
TEST(MonthMerge, FieldByFieldOneSideTakesItsChangeBothSidesKeepMineAndBothMemos) {
    const Colour red = rgb(255, 0, 0), blue = rgb(0, 0, 255), green = rgb(0, 255, 0);
    const Case cases[] = {
        {"memo changed here only", {memo(3, "会議")}, {memo(3, "会議 10時")}, {}, {memo(3, "会議 10時")}},
        {"memo changed there only", {memo(3, "会議")}, {}, {memo(3, "会議 14時")}, {memo(3, "会議 14時")}, {}, {3}},
        {"memos on different days", {}, {memo(5, "歯医者")}, {memo(7, "出張")}, {memo(5, "歯医者"), memo(7, "出張")}, {}, {7}},
        {"one memo changed on both sides: both kept, theirs first",
         {memo(7, "出張")}, {memo(7, "出張 大阪")}, {memo(7, "出張 名古屋")},
         {[](MonthModel& m) { cellOf(m, 7).text = joinedMemo("出張 名古屋", "出張 大阪"); }}, {7}, {7}},
        {"the same change on both sides is no conflict", {}, {memo(9, "休み")}, {memo(9, "休み")}, {memo(9, "休み")}},
        {"deleted here, rewritten there: their text stays",
         {memo(7, "出張")}, {memo(7, "")}, {memo(7, "出張 中止")}, {memo(7, "出張 中止")}, {7}, {7}},
        {"a memo of a neighbouring month's day", {}, {}, {[](MonthModel& m) { m.memos[0][1].text = "nov"; }},
         {[](MonthModel& m) { m.memos[0][1].text = "nov"; }}, {}, {-29}},
        {"background there only", {back(4, red)}, {}, {back(4, blue)}, {back(4, blue)}, {}, {4}},
        {"background removed there", {back(4, red)}, {}, {noBack(4)}, {}, {}, {4}},
        {"background on both sides: mine", {back(4, red)}, {back(4, green)}, {back(4, blue)}, {back(4, green)}},
        {"text colour there only", {}, {}, {font(6, red)}, {font(6, red)}, {}, {6}},
        {"text colour on both sides: mine", {}, {font(6, green)}, {font(6, blue)}, {font(6, green)}},
        {"a day mark there only", {}, {memo(1, "x")}, {holidayMark(23)}, {memo(1, "x"), holidayMark(23)}, {}, {23}},
        {"a day mark removed there", {workdayMark(27)}, {}, {noMark(27)}, {}, {}, {27}},
        {"day marks on both sides: mine", {}, {holidayMark(23)}, {workdayMark(23)}, {holidayMark(23)}},
        {"an arrow drawn there", {}, {memo(2, "x")}, {arrow(10, 12)}, {memo(2, "x"), arrow(10, 12)}, {}, {10, 11, 12}},
        {"an arrow deleted there", {arrow(3, 5)}, {memo(2, "x")}, {noArrowFrom(3)}, {memo(2, "x")}, {}, {3, 4, 5}},
        {"an arrow deleted here stays deleted", {arrow(3, 5)}, {noArrowFrom(3)}, {memo(9, "y")}, {memo(9, "y")}, {}, {9}},
        {"arrows on both sides that do not meet", {}, {arrow(1, 3)}, {arrow(14, 18)}, {arrow(1, 3), arrow(14, 18)}, {},
         {14, 15, 16, 17, 18}},
        {"arrows on both sides that cross: mine, whole", {}, {arrow(10, 14)}, {arrow(12, 16)}, {arrow(10, 14)}},
        {"an arrow moved there while mine is new elsewhere", {arrow(3, 5)}, {arrow(20, 21)}, {noArrowFrom(3), arrow(4, 8)},
         {arrow(20, 21), arrow(4, 8)}, {}, {3, 4, 5, 6, 7, 8}},
        {"across the month's end: their half into January comes in", {}, {memo(1, "x")}, {arrowIntoJanuary(29)},
         {memo(1, "x"), arrowIntoJanuary(29)}, {}, {29, 30, 31}},
        {"across both ends: November's half here, January's there", {}, {arrowFromNovember(2)}, {arrowIntoJanuary(30)},
         {arrowFromNovember(2), arrowIntoJanuary(30)}, {}, {30, 31}},
        {"across the month's end, crossing: my half stays", {}, {arrowIntoJanuary(30)}, {arrowIntoJanuary(28)},
         {arrowIntoJanuary(30)}},
        {"their half into January deleted", {arrowIntoJanuary(30)}, {memo(3, "z")}, {noArrowFrom(30)}, {memo(3, "z")}, {},
         {30, 31}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MonthModel base = monthWith(c.base);
        MonthModel mine = monthWith(c.base, c.mine);
        const MonthModel theirs = monthWith(c.base, c.theirs);
        const MonthMergeReport report = mergeMonth(base, mine, theirs, MonthFileSections{});
        const MonthModel want = monthWith(c.want);
        EXPECT_EQ(encodeMonthFile(mine), encodeMonthFile(want));
        for (int col = 0; col < kColumns; ++col)
            for (int week = 1; week <= kWeeks; ++week)
                EXPECT_EQ(mine.cells[col][week].holiday, want.cells[col][week].holiday) << col << "/" << week;
        EXPECT_EQ(daysOf(report.joined), c.joined);
        EXPECT_EQ(daysOf(report.taken), c.taken);
        EXPECT_TRUE(report.notJoined.empty());
    }
}

TEST(MonthMerge, TheShownMonthKeepsItsSelectionAndHolidayFlagsFollowTheMarks) {
    const MonthModel base = monthWith({});
    MonthModel mine = monthWith({});
    cellOf(mine, 15).selected = 1;
    mine.dirty = true;
    // Monday the 7th becomes a holiday there; Sunday the 13th a working day.
    const MonthModel theirs = monthWith({holidayMark(7), workdayMark(13)});
    mergeMonth(base, mine, theirs, MonthFileSections{});
    int col = 0, week = 0;
    mine.cellOfDay(7, col, week);
    EXPECT_EQ(mine.cells[col][week].holiday, 1);
    mine.cellOfDay(13, col, week);
    EXPECT_EQ(mine.cells[col][week].holiday, 0);
    EXPECT_EQ(cellOf(mine, 15).selected, 1);
    EXPECT_TRUE(mine.dirty);
}

TEST(MonthMerge, TwoLongMemosThatWouldNotFitTogetherKeepMineAndSaySo) {
    const std::string half(kMaxMemoBytes / 2 + 10, 'a');
    const MonthModel base = monthWith({});
    MonthModel mine = monthWith({[&](MonthModel& m) { cellOf(m, 8).text = half + "mine"; }});
    const MonthModel theirs = monthWith({[&](MonthModel& m) { cellOf(m, 8).text = half + "theirs"; }});
    const MonthMergeReport report = mergeMonth(base, mine, theirs, MonthFileSections{});
    EXPECT_EQ(cellOf(mine, 8).text, half + "mine");
    EXPECT_EQ(daysOf(report.notJoined), std::vector<int>{8});
    EXPECT_TRUE(report.joined.empty());
}

// A file written by an old version of the calendar, read as the calendar
// reads it: what its version cannot hold is not taken as deleted.
std::string asOldVersion(const MonthModel& month, std::uint16_t version) {
    std::string bytes = *encodeMonthFile(month);
    std::size_t textsEnd = 4;
    for (int week = 1; week <= month.weekRows; ++week)
        for (int col = 0; col < kColumns; ++col) textsEnd += 2 + month.memos[col][week].text.size();
    const std::size_t marksEnd = textsEnd + 7 + 2 * kColumns * kWeeks;
    bytes.resize(version < 13 ? textsEnd : marksEnd);
    bytes[0] = static_cast<char>(version & 0xFF);
    bytes[1] = static_cast<char>(version >> 8);
    return bytes;
}

TEST(MonthMerge, AFileOfAnOldVersionChangesOnlyWhatItCanHold) {
    const std::vector<Edit> base = {arrow(3, 5), back(4, rgb(1, 2, 3)), font(4, rgb(4, 5, 6)), holidayMark(23),
                                    memo(4, "old")};
    const struct {
        std::uint16_t version;
        std::vector<Edit> theirs, want;
    } cases[] = {
        // Texts only: a new memo comes in; marks, arrows and colours stay.
        {10, {memo(9, "new")}, {arrow(3, 5), back(4, rgb(1, 2, 3)), font(4, rgb(4, 5, 6)), holidayMark(23), memo(4, "old"),
                                memo(9, "new"), memo(1, "mine")}},
        // Texts and marks: the removed day mark goes, arrows and colours stay.
        {15, {noMark(23), memo(4, "changed")},
         {arrow(3, 5), back(4, rgb(1, 2, 3)), font(4, rgb(4, 5, 6)), memo(4, "changed"), memo(1, "mine")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const MonthModel written = monthWith(base, c.theirs);
        const std::string bytes = asOldVersion(written, c.version);
        MonthModel theirs = built(kYear, kMonth);
        ASSERT_TRUE(decodeMonthFile(bytes, theirs));
        MonthModel mine = monthWith(base, {memo(1, "mine")});
        mergeMonth(monthWith(base), mine, theirs, sectionsOf(bytes));
        EXPECT_EQ(encodeMonthFile(mine), encodeMonthFile(monthWith(c.want)));
    }
}

// The file may have been written with the other week start: every version
// is read into the cells of the same dates.
TEST(MonthMerge, VersionsWrittenWithTheOtherWeekStartMeetOnTheSameDates) {
    MonthModel theirsWritten = built(kYear, kMonth, true);
    cellOf(theirsWritten, 31).text = "end";
    const std::string bytes = *encodeMonthFile(theirsWritten);
    MonthModel theirs = built(kYear, kMonth);
    ASSERT_TRUE(decodeMonthFile(bytes, theirs));
    MonthModel mine = monthWith({memo(1, "start")});
    mergeMonth(monthWith({}), mine, theirs, sectionsOf(bytes));
    EXPECT_EQ(cellOf(mine, 31).text, "end");
    EXPECT_EQ(cellOf(mine, 1).text, "start");
}

}  // namespace
}  // namespace kelmora
