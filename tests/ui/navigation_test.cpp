// Keys and clicks on the calendar: the focus cell across weeks and months,
// Page Up/Down, Escape, the selection by Ctrl+click, the jump dialog.

#include <gtest/gtest.h>

#include <QPushButton>

#include "CanvasEdit/TCanvasEdit.h"
#include "jump/jump_dialog.h"
#include "jump/up_down.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::clickCell;
using uitest::focusOf;
using uitest::memoAt;
using uitest::memoCellOfDay;
using uitest::pressKey;
using uitest::setFocusCell;
using uitest::WindowHarness;

TForm1& openWithFocusFrame(WindowHarness& h) {
    TForm1& w = h.open();
    if (!w.settings.focusFrame) w.mnufocusClick();
    return w;
}

TEST(Navigation, ArrowKeysMoveTheFocusAcrossWeeksAndMonths) {
    // December 2026 has five weeks (Sunday first), November 2026 five,
    // August 2026 six.
    struct Case {
        Date today;
        int col, row;
        int key;
        Qt::KeyboardModifiers mods;
        int year, month, wantCol, wantRow;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier;
    const Case cases[] = {
        {{2026, 12, 10}, 3, 4, Qt::Key_Right, none, 2026, 12, 4, 4},
        {{2026, 12, 10}, 6, 4, Qt::Key_Right, none, 2026, 12, 0, 6},    // next week
        {{2026, 12, 10}, 0, 6, Qt::Key_Left, none, 2026, 12, 6, 4},     // previous week
        {{2026, 12, 10}, 3, 4, Qt::Key_Down, none, 2026, 12, 3, 6},
        {{2026, 12, 10}, 3, 6, Qt::Key_Up, none, 2026, 12, 3, 4},
        {{2026, 12, 10}, 3, 2, Qt::Key_Up, none, 2026, 12, 3, 2},       // week 1: nothing
        {{2026, 12, 10}, 3, 10, Qt::Key_Down, none, 2026, 12, 3, 10},   // last week: nothing
        {{2026, 12, 10}, 6, 10, Qt::Key_Right, none, 2027, 1, 0, 2},    // last cell: next month
        {{2026, 12, 10}, 6, 10, Qt::Key_Right, shift, 2027, 12, 0, 2},  // Shift: next year
        {{2026, 12, 10}, 0, 2, Qt::Key_Left, none, 2026, 11, 6, 10},    // first cell: five-week month
        {{2026, 9, 10}, 0, 2, Qt::Key_Left, none, 2026, 8, 6, 12},      // into a six-week month
        {{2026, 12, 10}, 0, 2, Qt::Key_Left, shift, 2025, 12, 6, 10},   // Shift: previous year
        {{2026, 12, 10}, 3, 4, Qt::Key_Right, shift, 2026, 12, 4, 4},   // Shift alone changes nothing
        // The years end at 9999 and start at 1000: the focus stays.
        {{9999, 12, 10}, 6, 10, Qt::Key_Right, none, 9999, 12, 6, 10},
        {{1000, 1, 10}, 0, 2, Qt::Key_Left, none, 1000, 1, 0, 2},
    };
    for (const Case& c : cases) {
        WindowHarness h(c.today);
        TForm1& w = openWithFocusFrame(h);
        setFocusCell(w, c.col, c.row);
        pressKey(w, c.key, c.mods);
        const std::string label = std::to_string(c.col) + "," + std::to_string(c.row) + " key " +
                                  std::to_string(c.key) + " in " + std::to_string(c.today.year);
        EXPECT_EQ(w.model.year, c.year) << label;
        EXPECT_EQ(w.model.month, c.month) << label;
        EXPECT_EQ(focusOf(w), std::make_pair(c.wantCol, c.wantRow)) << label;
        EXPECT_EQ(std::make_pair(w.dg1->col(), w.dg1->row()), std::make_pair(c.wantCol, c.wantRow)) << label;
        EXPECT_FALSE(w.editorShown()) << label;
    }
}

TEST(Navigation, MovingUpAWeekShowsThatWeeksDateRow) {
    for (int key : {Qt::Key_Up, Qt::Key_Left}) {
        WindowHarness h(Date{2026, 12, 10}, QRect(0, 0, 1280, 420));  // the grid scrolls
        TForm1& w = openWithFocusFrame(h);
        setFocusCell(w, 0, 6);
        w.dg1->setTopRow(4);  // week 2's memo row at the top, its date row scrolled away
        ASSERT_EQ(w.dg1->topRow(), 4);
        pressKey(w, key);
        EXPECT_EQ(w.model.focusRow, 4);
        EXPECT_EQ(w.dg1->topRow(), 3) << key;
    }
}

TEST(Navigation, WithoutTheFocusFrameArrowsEnterAndSpaceDoNothing) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    if (w.settings.focusFrame) w.mnufocusClick();
    setFocusCell(w, 3, 4);
    for (int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return, Qt::Key_Space}) pressKey(w, key);
    EXPECT_EQ(focusOf(w), std::make_pair(3, 4));
    EXPECT_FALSE(w.editorShown());
}

TEST(Navigation, AltArrowsCarryTheEditorAndEscapeOnlyHidesIt) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    clickCell(w, 6, 10);  // the month's last cell
    ASSERT_TRUE(w.editorShown());
    uitest::commitText(w.memo1, QStringLiteral("大晦日"));
    pressKey(w, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(focusOf(w), std::make_pair(5, 10));
    EXPECT_TRUE(w.editorShown());
    EXPECT_EQ(w.memo1->toPlainText(), QString());
    pressKey(w, Qt::Key_Right, Qt::AltModifier);
    pressKey(w, Qt::Key_Right, Qt::AltModifier);  // over the month's end
    EXPECT_EQ(w.model.month, 1);
    EXPECT_EQ(focusOf(w), std::make_pair(0, 2));
    EXPECT_TRUE(w.editorShown());
    // Escape with the editor shown hides it and asks nothing.
    pressKey(w, Qt::Key_Escape);
    EXPECT_FALSE(w.editorShown());
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_TRUE(w.isVisible());
}

TEST(Navigation, PageKeysPutTheFocusOnTheFirstOrLastWeek) {
    struct Case {
        Date today;
        int lastRow;
    };
    for (Case c : {Case{{2026, 12, 10}, 10}, Case{{2026, 8, 10}, 12}}) {
        // A short screen: the grid scrolls.
        WindowHarness h(c.today, QRect(0, 0, 1280, 420));
        TForm1& w = h.open();
        setFocusCell(w, 4, 6);
        pressKey(w, Qt::Key_PageDown);
        EXPECT_EQ(focusOf(w), std::make_pair(4, c.lastRow));
        EXPECT_EQ(w.dg1->row(), c.lastRow);
        EXPECT_FALSE(w.dg1->cellRect(4, c.lastRow).isEmpty());  // scrolled into view
        EXPECT_GT(w.dg1->topRow(), 1);
        pressKey(w, Qt::Key_PageUp);
        EXPECT_EQ(focusOf(w), std::make_pair(4, 2));
        EXPECT_EQ(w.dg1->row(), 2);
        EXPECT_FALSE(w.dg1->cellRect(4, 2).isEmpty());
    }
}

TEST(Navigation, EscapePutsAwayAToolOrTheSelectionBeforeAskingToQuit) {
    enum Start { Nothing, Selection, HolidayTool, WeekdayTool };
    struct Case {
        Start start;
        Answer answer;
        bool asks, stillOpen;
    };
    const Case cases[] = {
        {Selection, Answer::Ok, false, true},
        {HolidayTool, Answer::Ok, false, true},
        {WeekdayTool, Answer::Ok, false, true},
        {Nothing, Answer::Cancel, true, true},
        {Nothing, Answer::Ok, true, false},
    };
    for (const Case& c : cases) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        if (c.start == Selection) clickCell(w, 2, 4, Qt::ControlModifier);
        if (c.start == HolidayTool) w.mnuholiClick();
        if (c.start == WeekdayTool) w.mnuheiClick();
        h.dialogs.answers.push_back(c.answer);
        pressKey(w, Qt::Key_Escape);
        EXPECT_EQ(!h.dialogs.messages.empty(), c.asks) << c.start;
        if (c.asks) {
            EXPECT_EQ(h.dialogs.messages[0], "終了します\r\nよろしいですか？");
        }
        EXPECT_EQ(w.isVisible(), c.stillOpen) << c.start;
        EXPECT_FALSE(w.anySelected());
        EXPECT_FALSE(w.holidayMarking || w.weekdayMarking);
        if (c.start != Nothing) {
            // The second Escape asks.
            pressKey(w, Qt::Key_Escape);
            EXPECT_EQ(h.dialogs.messages.size(), 1u) << c.start;
            EXPECT_FALSE(w.isVisible());
        }
    }
}

TEST(Navigation, CtrlClickTogglesAPlainClickClearsTheRightButtonLeavesAlone) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    clickCell(w, 3, 6);
    ASSERT_TRUE(w.editorShown());
    // Column 0 of week 1 is 29 November: it is selected like any other cell.
    for (auto [col, row] : {std::pair{0, 2}, std::pair{4, 4}, std::pair{5, 8}}) clickCell(w, col, row, Qt::ControlModifier);
    EXPECT_FALSE(w.editorShown());
    EXPECT_EQ(focusOf(w), std::make_pair(3, 6));  // Ctrl+click leaves the focus
    EXPECT_TRUE(memoAt(w, 0, 2).selected && memoAt(w, 4, 4).selected && memoAt(w, 5, 8).selected);
    clickCell(w, 4, 4, Qt::ControlModifier);  // again: out of the selection
    EXPECT_FALSE(memoAt(w, 4, 4).selected);
    clickCell(w, 4, 3, Qt::ControlModifier);  // a date row selects nothing
    EXPECT_FALSE(memoAt(w, 4, 4).selected);
    EXPECT_FALSE(memoAt(w, 4, 2).selected);
    clickCell(w, 6, 10, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(focusOf(w), std::make_pair(3, 6));
    EXPECT_TRUE(memoAt(w, 0, 2).selected && memoAt(w, 5, 8).selected);
    // A plain click clears the whole selection and writes in the cell.
    clickCell(w, 1, 10);
    EXPECT_FALSE(w.anySelected());
    EXPECT_EQ(focusOf(w), std::make_pair(1, 10));
    EXPECT_TRUE(w.editorShown());
}

// A cell cut off at the bottom (memo rows 200 high) or at the right (memo
// cells 200 wide): the grid scrolls it into view under the press, and the
// press still acts on it.
TEST(Navigation, APressOnAPartlyShownCellActsOnThatCell) {
    enum Cut { Bottom, Right };
    enum Press { Plain, Ctrl, HolidayTool };
    for (Cut cut : {Bottom, Right}) {
        for (Press press : {Plain, Ctrl, HolidayTool}) {
            const std::string label = std::string(cut == Bottom ? "bottom" : "right") + " press " + std::to_string(press);
            WindowHarness h(Date{2026, 12, 10}, QRect(0, 0, cut == Right ? 1000 : 1280, cut == Bottom ? 700 : 1000));
            h.folder.put("kelmora.ini", cut == Bottom ? "[memo]\r\nheight=200\r\n" : "[memo]\r\nwidth=200\r\n");
            TForm1& w = h.open();
            if (cut == Bottom) pressKey(w, Qt::Key_PageUp);
            // The first memo cell the viewport cuts off, and a point on its shown part.
            const QSize view = w.dg1->viewport()->size();
            int col = 3, row = 4;
            if (cut == Bottom) {
                row = w.dg1->topRow() + w.dg1->visibleRowCount();
                if (row % 2 == 1) ++row;
            } else {
                col = w.dg1->leftCol() + w.dg1->visibleColCount();
            }
            const QRect cell = w.dg1->cellRect(col, row);
            ASSERT_FALSE(cell.isEmpty()) << label;
            ASSERT_TRUE(cell.bottom() >= view.height() || cell.right() >= view.width()) << label;
            if (press == HolidayTool) w.mnuholiClick();
            QTest::mouseClick(w.dg1->viewport(), Qt::LeftButton, press == Ctrl ? Qt::ControlModifier : Qt::NoModifier,
                              cell.topLeft() + QPoint(5, 5));
            QApplication::processEvents();

            const QRect shown = w.dg1->cellRect(col, row);
            EXPECT_TRUE(shown.bottom() < view.height() && shown.right() < view.width()) << label;
            const int week = MonthModel::weekOfRow(row);
            switch (press) {
                case Plain:
                    ASSERT_TRUE(w.editorShown()) << label;
                    EXPECT_EQ(focusOf(w), std::make_pair(col, row)) << label;
                    uitest::commitText(w.memo1, QStringLiteral("予定"));
                    EXPECT_EQ(toQString(memoAt(w, col, row).text), QStringLiteral("予定")) << label;
                    break;
                case Ctrl: EXPECT_TRUE(memoAt(w, col, row).selected) << label; break;
                case HolidayTool: EXPECT_EQ(w.model.marks[col][week].holidayMark, 1) << label; break;
            }
        }
    }
}

TEST(Navigation, EnterActsAsAClickOnTheFocusCell) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = openWithFocusFrame(h);
    setFocusCell(w, 2, 4);
    pressKey(w, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(memoAt(w, 2, 4).selected);
    EXPECT_FALSE(w.editorShown());
    w.mnuholiClick();
    setFocusCell(w, 3, 4);  // Wednesday 9 December
    pressKey(w, Qt::Key_Return);
    EXPECT_EQ(w.model.cells[3][2].holiday, 1);
    EXPECT_EQ(w.model.marks[3][2].holidayMark, 1);
    w.FormClick();
    pressKey(w, Qt::Key_Space);
    EXPECT_TRUE(w.editorShown());
    EXPECT_FALSE(w.anySelected());
}

TEST(Navigation, KeypadPlusAndMinusChangeTheMonthOnlyWhileTheEditorIsHidden) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    pressKey(w, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(w.model.year * 100 + w.model.month, 202701);
    pressKey(w, Qt::Key_Minus, Qt::KeypadModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.model.year * 100 + w.model.month, 202601);
    clickCell(w, 3, 4);
    QTest::keyClicks(w.memo1, QStringLiteral("+"), Qt::KeypadModifier);
    QApplication::processEvents();
    EXPECT_EQ(w.model.month, 1);
    EXPECT_EQ(w.memo1->toPlainText(), QStringLiteral("+"));
}

TEST(Navigation, JumpChangesTheMonthOnlyOnOk) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    clickCell(w, 3, 4);
    uitest::commitText(w.memo1, QStringLiteral("x"));
    struct Step {
        bool ok;
        int year, month;
    };
    int presetYear = 0;
    for (Step s : {Step{false, 2026, 12}, Step{true, 2030, 3}}) {
        w.runModal = [&](QDialog& d) {
            auto& jump = static_cast<Tform_jump&>(d);
            d.open();
            presetYear = jump.upyear->Position();
            jump.upyear->setPosition(2030);
            jump.upmonth->setPosition(3);
            QTest::mouseClick(s.ok ? jump.BitBtn2 : jump.cancel, Qt::LeftButton);
        };
        w.mnujumpClick();
        EXPECT_EQ(presetYear, 2026);
        EXPECT_EQ(w.model.year, s.year);
        EXPECT_EQ(w.model.month, s.month);
        EXPECT_FALSE(w.editorShown());
    }
    EXPECT_TRUE(std::filesystem::exists(h.folder.file("202612.wmd")));  // saved before the dialog
    // Years outside the dialog's range are clamped into it.
    w.runModal = [&](QDialog& d) { presetYear = static_cast<Tform_jump&>(d).upyear->Position(); };
    for (int i = 0; i < 75; ++i) pressKey(w, Qt::Key_Plus, Qt::KeypadModifier | Qt::ShiftModifier);
    ASSERT_EQ(w.model.year, 2105);
    w.mnujumpClick();
    EXPECT_EQ(presetYear, Tform_jump::kLastYear);
}

}  // namespace
}  // namespace kelmora
