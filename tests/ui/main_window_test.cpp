// The calendar window on the offscreen platform: start, sizing, the editor,
// saving and what the grid paints.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/cp932.h"
#include "platform/colours.h"
#include "platform/event_hook.h"
#include "platform/owner_draw_grid.h"
#include "platform/text_layout.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::memoAt;
using uitest::WindowHarness;

QPoint centreOf(TForm1& w, int col, int row) { return w.dg1->cellRect(col, row).center(); }

void clickCell(TForm1& w, int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(w.dg1->viewport(), Qt::LeftButton, mods, centreOf(w, col, row));
    QApplication::processEvents();
}

// The cell of a day of the shown month: (column, memo row).
std::pair<int, int> memoCellOfDay(const TForm1& w, int day) {
    int col = 0, week = 0;
    w.model.cellOfDay(day, col, week);
    return {col, MonthModel::memoRow(week)};
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MainWindow, StartsOnTodayWithFiveOrSixWeeks) {
    struct Case {
        Date today;
        int rows;
    };
    for (Case c : {Case{{2026, 12, 10}, 11}, Case{{2026, 8, 3}, 13}}) {
        WindowHarness h(c.today);
        TForm1& w = h.open();
        EXPECT_EQ(w.dg1->rowCount(), c.rows);
        EXPECT_EQ(w.model.year, c.today.year);
        EXPECT_EQ(w.model.month, c.today.month);
        auto [col, row] = memoCellOfDay(w, c.today.day);
        EXPECT_EQ(w.model.focusCol, col);
        EXPECT_EQ(w.model.focusRow, row);
        EXPECT_EQ(w.Label1->text().toStdString(), std::to_string(c.today.year) + "年" + std::to_string(c.today.month) + "月");
        // The whole grid shows without scrolling.
        EXPECT_EQ(w.dg1->viewport()->height(), w.dg1->totalHeight());
        EXPECT_EQ(w.dg1->visibleRowCount(), c.rows - 1);
        EXPECT_FALSE(w.dg1->verticalScrollBar()->isVisible());
        EXPECT_EQ(w.dg1->leftCol(), 0);
        EXPECT_EQ(w.clientHeight(), w.gridTop() + w.dg1->height());
    }
}

TEST(MainWindow, SixWeeksMakeATallerWindow) {
    WindowHarness five(Date{2026, 12, 10}), six(Date{2026, 8, 3});
    const int fiveHeight = five.open().height();
    five.close();
    const int sixHeight = six.open().height();
    // One more date row and one more memo row, each with its line.
    EXPECT_EQ(sixHeight - fiveHeight, (six.window->fontRowHeight(9) + 1) + (60 + 1));
}

TEST(MainWindow, SmallWorkAreaClampsTheWindowAndTheGridScrolls) {
    WindowHarness h(Date{2026, 8, 3}, QRect(0, 0, 500, 400));
    TForm1& w = h.open();
    EXPECT_LE(w.frameGeometry().bottom(), 399);
    EXPECT_LE(w.frameGeometry().right(), 499);
    EXPECT_EQ(w.frameGeometry().left(), 0);
    EXPECT_EQ(w.frameGeometry().top(), 0);
    EXPECT_LT(w.dg1->visibleRowCount(), w.dg1->rowCount() - 1);
    // Scrolling moves whole rows; the header stays.
    const int top = w.dg1->topRow();
    w.dg1->verticalScrollBar()->setValue(w.dg1->verticalScrollBar()->value() + 1);
    EXPECT_EQ(w.dg1->topRow(), top + 1);
    EXPECT_EQ(w.dg1->cellRect(0, 0).top(), 0);
}

// A window saved low on the screen moves up just so far that its bottom
// meets the work area's, and that top is what the next start finds. A
// scroll bar is counted only where the grid shows one: below seven memo
// cells 200 wide on a narrower screen.
TEST(MainWindow, AWindowSavedNearTheBottomEndsOnTheWorkAreasBottom) {
    struct Case {
        int savedTop, memoWidth;
        bool scrollsSideways;
    };
    for (Case c : {Case{600, 100, false}, Case{900, 100, false}, Case{600, 200, true}}) {
        const QRect area(0, 0, 1280, 1024);
        WindowHarness h(Date{2026, 12, 10}, area);
        h.folder.put("kelmora.ini", "[form]\r\ntop=" + std::to_string(c.savedTop) + "\r\n[memo]\r\nwidth=" +
                                        std::to_string(c.memoWidth) + "\r\n");
        TForm1& w = h.open();
        const std::string label = std::to_string(c.savedTop) + " width " + std::to_string(c.memoWidth);
        EXPECT_EQ(w.frameGeometry().bottom(), area.bottom()) << label;
        ASSERT_EQ(w.dg1->horizontalScrollBar()->isVisible(), c.scrollsSideways) << label;
        const int bar = c.scrollsSideways ? w.dg1->horizontalScrollBar()->height() : 0;
        EXPECT_EQ(w.clientHeight(), w.gridTop() + w.dg1->totalHeight() + bar) << label;
        EXPECT_EQ(w.dg1->visibleRowCount(), w.dg1->rowCount() - 1) << label;
        const int top = w.y();
        h.close();
        EXPECT_NE(h.folder.get("kelmora.ini").find("top=" + std::to_string(top) + "\r\n"), std::string::npos);
    }
}

// A window cut to the work area scrolls the grid only as far as today's
// cell needs: from week 1 when it shows from there.
TEST(MainWindow, AClampedWindowScrollsOnlyToBringTodayIntoView) {
    struct Case {
        int day;
        bool shownFromWeekOne;
    };
    for (Case c : {Case{1, true}, Case{10, true}, Case{31, false}}) {
        WindowHarness h(Date{2026, 12, c.day}, QRect(0, 0, 1280, 700));
        h.folder.put("kelmora.ini", "[memo]\r\nheight=200\r\n");
        TForm1& w = h.open();
        ASSERT_LT(w.dg1->visibleRowCount(), w.dg1->rowCount() - 1);  // the grid scrolls
        const QRect today = w.dg1->cellRect(w.model.focusCol, w.model.focusRow);
        EXPECT_FALSE(today.isEmpty()) << c.day;
        EXPECT_LE(today.bottom(), w.dg1->viewport()->height() - 1) << c.day;
        if (c.shownFromWeekOne) {
            EXPECT_EQ(w.dg1->topRow(), 1) << c.day;
        } else {
            EXPECT_GT(w.dg1->topRow(), 1) << c.day;
        }
    }
}

TEST(MainWindow, TypingGrowsTheRowAndRestartFindsTheText) {
    WindowHarness h(Date{2026, 12, 10});
    {
        TForm1& w = h.open();
        auto [col, row] = memoCellOfDay(w, 16);
        clickCell(w, col, row);
        ASSERT_TRUE(w.editorShown());
        EXPECT_EQ(w.memo1->geometry().size(), QSize(w.dg1->defaultColWidth() + 1, w.dg1->rowHeight(row) + 1));
        const int before = w.dg1->rowHeight(row);
        const int windowBefore = w.height();
        uitest::commitText(w.memo1, QStringLiteral("打ち合わせ"));
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(w.memo1, Qt::Key_Return);
            uitest::commitText(w.memo1, QStringLiteral("行") + QString::number(i));
        }
        QApplication::processEvents();
        const int lines = 7;
        EXPECT_EQ(w.dg1->rowHeight(row), lines * w.memoLineHeight() + 6);
        EXPECT_GT(w.dg1->rowHeight(row), before);
        EXPECT_GT(w.height(), windowBefore);
        const std::string expected = "打ち合わせ\r\n行0\r\n行1\r\n行2\r\n行3\r\n行4\r\n行5";
        EXPECT_EQ(cp932::toUtf8(w.model.memos[col][MonthModel::weekOfRow(row)].text), expected);
        h.close();
    }
    ASSERT_TRUE(std::filesystem::exists(h.folder.file("202612.wmd")));
    TForm1& again = h.open();
    auto [col, row] = memoCellOfDay(again, 16);
    EXPECT_EQ(cp932::toUtf8(again.model.memos[col][MonthModel::weekOfRow(row)].text),
              "打ち合わせ\r\n行0\r\n行1\r\n行2\r\n行3\r\n行4\r\n行5");
    EXPECT_EQ(again.dg1->rowHeight(row), 7 * again.memoLineHeight() + 6);
}

TEST(MainWindow, ALongTextGrowsTheRowAtOnceAndTheWindowFitsIt) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    auto [col, row] = memoCellOfDay(w, 16);
    clickCell(w, col, row);
    // One commit that wraps to several lines, as a paste does.
    const QString text = QStringLiteral("会議の資料を準備する。長い行は折り返して表示されます。さらに続きます。まだまだ続く予定の説明です。");
    uitest::commitText(w.memo1, text);
    const int lines = MemoTextLayout::lineCount(text, w.memo1->font(), w.memoTextWidth());
    ASSERT_GE(lines, 5);
    EXPECT_EQ(w.dg1->rowHeight(row), lines * w.memoLineHeight() + 6);
    // The window is as tall as the grid, with no gap below it.
    EXPECT_EQ(w.dg1->height(), w.dg1->totalHeight());
    EXPECT_EQ(w.clientHeight(), w.gridTop() + w.dg1->totalHeight());
}

// Typing repaints what it changed and then nothing more, not the grid below
// the editor over and over; the cell's arrow stays drawn over the text.
TEST(MainWindow, TheOpenEditorStopsPaintingAfterTypingAndKeepsItsArrow) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    auto [col, row] = memoCellOfDay(w, 16);
    w.model.memos[col][MonthModel::weekOfRow(row)].arrow = ArrowThrough;
    clickCell(w, col, row);
    int gridPaints = 0;
    EventHook counter(nullptr, [&](QObject*, QEvent* event) {
        if (event->type() == QEvent::Paint) ++gridPaints;
        return false;
    });
    w.dg1->viewport()->installEventFilter(&counter);
    QTest::keyClicks(w.memo1, QStringLiteral("abc"));
    QTest::qWait(50);
    gridPaints = 0;
    QTest::qWait(300);
    EXPECT_EQ(gridPaints, 0);
    // What the screen shows: the arrow at half the first line's height.
    const QImage screen = w.screen()->grabWindow(w.winId()).toImage();
    const QPoint editor = w.memo1->mapTo(&w, QPoint(0, 0));
    EXPECT_EQ(screen.pixelColor(editor + QPoint(50, w.fontRowHeight(9) / 2)), QColor(0, 128, 0));
}

TEST(MainWindow, OpeningTheEditorWithoutTypingStillSavesAtTheNextIdleMoment) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    // A month file must exist for an empty month to be written again.
    std::ofstream(h.folder.file("202612.wmd"), std::ios::binary) << std::string("\xF0\x00\x00\x00", 4);
    auto [col, row] = memoCellOfDay(w, 5);
    clickCell(w, col, row);
    QTest::keyClick(w.memo1, Qt::Key_Escape);
    EXPECT_FALSE(w.editorShown());
    EXPECT_TRUE(w.model.dirty);
    w.idleSaveTimerTimer();
    EXPECT_FALSE(w.model.dirty);
    EXPECT_GT(fileBytes(h.folder.file("202612.wmd")).size(), 4u);
}

// The JIS forms Linux input methods type are stored as their CP932 bytes and
// read back as typed, so the cell shows and copies what was typed.
TEST(MainWindow, InputMethodFormsAreStoredInCp932AndReadBackAsTyped) {
    WindowHarness h(Date{2026, 12, 10});
    const QString typed = QString::fromUtf8("10時〜12時 ‖−—¢£¬");
    const std::string bytes = cp932::literal("10時") + "\x81\x60" + cp932::literal("12時 ") +
                              "\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA";
    {
        TForm1& w = h.open();
        auto [col, row] = memoCellOfDay(w, 7);
        clickCell(w, col, row);
        uitest::commitText(w.memo1, typed);
        EXPECT_EQ(memoAt(w, col, row).text, bytes);
        h.close();
    }
    EXPECT_NE(h.folder.get("202612.wmd").find(bytes), std::string::npos);
    TForm1& w = h.open();
    auto [col, row] = memoCellOfDay(w, 7);
    clickCell(w, col, row);
    EXPECT_EQ(w.memo1->toPlainText(), typed);
    w.memo1->selectAll();
    w.Copy1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), typed);
}

TEST(MainWindow, EditorBreaksLinesAsTheGridAndTheMeasurementDo) {
    for (std::uint8_t style : {std::uint8_t{0}, std::uint8_t{StyleItalic}}) {
        WindowHarness h(Date{2026, 12, 10});
        // The memo font comes from the settings file.
        std::ofstream(h.folder.file("kelmora.ini"), std::ios::binary)
            << "[memo]\r\nstyleitalic=" << (style ? 1 : 0) << "\r\nfontsize=12\r\n";
        TForm1& w = h.open();
        ASSERT_EQ(w.settings.memo.font.style, style);
        auto [col, row] = memoCellOfDay(w, 9);
        clickCell(w, col, row);
        EXPECT_EQ(w.memo1->textWidth(), w.memoTextWidth());
        for (const char* text : {"今日は朝から夕方まで打ち合わせが続きます", "Supercalifragilisticexpialidocious",
                                 "word wrap at the boundary of words", "一行\r\n\r\n三行目\r\n"}) {
            w.memo1->setPlainText(MemoTextLayout::normalised(QString::fromUtf8(text)));
            QApplication::processEvents();
            const QFont font = w.memo1->font();
            EXPECT_EQ(w.memo1->lineCount(),
                      MemoTextLayout::lineCount(QString::fromUtf8(text), font, w.memoTextWidth()))
                << text << " italic " << int(style);
        }
    }
}

class FailingFiles : public RealFileSystem {
public:
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        if (path.ends_with(".wmd")) {
            ++monthWrites;
            return {WriteStatus::CannotCreate, {FileProblem::NoPermission}};
        }
        return RealFileSystem::replaceFile(path, bytes);
    }
    int monthWrites = 0;
};

TEST(MainWindow, AFailingIdleSaveAsksNothingAndTheMonthChangeTriesAgain) {
    FailingFiles files;
    FixedClock clock(Date{2026, 12, 10});
    uitest::ScriptedDialogs dialogs;
    uitest::TempFolder folder;
    WindowEnvironment env{folder.dir(), &clock, &dialogs, &files, QRect(0, 0, 1280, 1000), QString()};
    TForm1 w(env);
    w.show();
    auto [col, row] = memoCellOfDay(w, 4);
    clickCell(w, col, row);
    QTest::keyClicks(w.memo1, QStringLiteral("x"));
    for (int i = 0; i < 5; ++i) w.idleSaveTimerTimer();
    EXPECT_TRUE(dialogs.messages.empty()) << "the bar above the grid tells it";
    EXPECT_EQ(files.monthWrites, 1);
    EXPECT_TRUE(w.model.dirty);
    // Leaving the month tries again, asks, and the month stays on Abort.
    w.btnnextClick();
    EXPECT_EQ(files.monthWrites, 2);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(w.model.month, 12);
    EXPECT_EQ(w.model.memos[col][MonthModel::weekOfRow(row)].text, "x");
}

TEST(MainWindow, MonthButtonsChangeTheMonthAndSaveTheOldOne) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    auto [col, row] = memoCellOfDay(w, 24);
    clickCell(w, col, row);
    uitest::commitText(w.memo1, QStringLiteral("イブ"));
    w.btnnextClick();
    EXPECT_EQ(w.model.year, 2027);
    EXPECT_EQ(w.model.month, 1);
    EXPECT_FALSE(w.editorShown());
    EXPECT_TRUE(std::filesystem::exists(h.folder.file("202612.wmd")));
    w.btnprevClick();
    w.btnprevClick();
    EXPECT_EQ(w.model.month, 11);
    w.mnuthismonClick();
    EXPECT_EQ(w.model.month, 12);
    EXPECT_EQ(cp932::toUtf8(w.model.memos[col][MonthModel::weekOfRow(row)].text), "イブ");
}

TEST(MainWindow, ToolbarToggleMovesTheTitleAndGridAndIsStoredAtOnce) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const int gridTop = w.gridTop(), labelTop = w.Label1->y(), height = w.height();
    w.mnutoolbarClick();
    EXPECT_TRUE(w.ToolBar1->isHidden());
    EXPECT_FALSE(w.mnutoolbar->isChecked());
    EXPECT_EQ(w.Label1->y(), 4);
    EXPECT_EQ(w.gridTop(), gridTop - 30);
    EXPECT_EQ(w.Label1->y(), labelTop - 30);
    EXPECT_EQ(w.height(), height - 30);
    EXPECT_NE(h.folder.get("kelmora.ini").find("toolbar=0\r\n"), std::string::npos);
    h.close();
    // The next start keeps it hidden: the title 4 pixels below the top, the grid 5 below the title row.
    TForm1& again = h.open();
    EXPECT_TRUE(again.ToolBar1->isHidden());
    EXPECT_EQ(again.Label1->y(), 4);
    EXPECT_EQ(again.gridTop(), 5 + std::max(again.Label1->geometry().bottom(), again.btnprev->geometry().bottom()) + 1);
    again.mnutoolbarClick();
    EXPECT_FALSE(again.ToolBar1->isHidden());
    EXPECT_EQ(again.Label1->y(), 34);
}

// --- what the grid paints ---------------------------------------------------

QColor pixel(TForm1& w, int col, int row, QPoint offset) {
    const QImage image = w.dg1->viewport()->grab().toImage();
    return image.pixelColor(w.dg1->cellRect(col, row).topLeft() + offset);
}

TEST(GridPainting, DefaultColours) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    w.hideEditor();
    const QPoint inside(50, 2);  // clear of text and marks
    EXPECT_EQ(pixel(w, 0, 0, QPoint(2, 2)), QColor(255, 0, 0));      // Sunday header
    EXPECT_EQ(pixel(w, 1, 0, QPoint(2, 2)), QColor(0, 128, 128));    // weekday header
    EXPECT_EQ(pixel(w, 0, 1, QPoint(90, 2)), QColor(128, 128, 128));  // before the 1st (a Tuesday)
    EXPECT_EQ(pixel(w, 0, 3, QPoint(90, 2)), QColor(255, 128, 128));  // Sunday the 6th
    EXPECT_EQ(pixel(w, 1, 3, QPoint(90, 2)), QColor(128, 255, 128));  // Monday the 7th
    EXPECT_EQ(pixel(w, 1, 4, inside), QColor(255, 255, 255));         // memo cell
    // Today's mark: the ellipse's left end sits in the middle of the left edge.
    auto [col, row] = memoCellOfDay(w, 10);
    const QRect today = w.dg1->cellRect(col, row - 1);
    const QImage image = w.dg1->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(today.left() + 1, today.center().y()), QColor(0, 0, 255));
}

TEST(GridPainting, SubstituteHolidayNameSitsOppositeTheNumber) {
    WindowHarness h(Date{2024, 9, 10});  // Monday 23 September 2024 is a substitute holiday
    TForm1& w = h.open();
    w.hideEditor();
    auto [col, row] = memoCellOfDay(w, 23);
    const QRect date = w.dg1->cellRect(col, row - 1);
    const QImage image = w.dg1->viewport()->grab().toImage();
    auto inkIn = [&](int x0, int x1) {
        int ink = 0;
        for (int y = date.top(); y < date.bottom(); ++y)
            for (int x = x0; x < x1; ++x)
                if (image.pixelColor(x, y).lightness() < 100) ++ink;
        return ink;
    };
    EXPECT_GT(inkIn(date.left() + 5, date.left() + 25), 0);     // "23" at the left
    EXPECT_GT(inkIn(date.right() - 45, date.right() - 3), 0);   // "振替休日" at the right
    EXPECT_EQ(inkIn(date.left() + 30, date.left() + 48), 0);    // nothing between
    EXPECT_EQ(pixel(w, col, row - 1, QPoint(28, 2)), QColor(255, 128, 128));
}

TEST(GridPainting, SelectionFocusFrameAndArrow) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    w.hideEditor();
    auto [col, row] = memoCellOfDay(w, 10);
    const int week = MonthModel::weekOfRow(row);
    const QColor highlight = toQColor(kSystemHighlight);
    w.model.memos[col][week].selected = 1;
    w.model.memos[col][week].backColor = 0x00FF00;
    w.model.memos[col][week].hasBackColor = 1;
    w.dg1->viewport()->repaint();
    EXPECT_EQ(pixel(w, col, row, QPoint(50, 30)), highlight);
    // The frame would vanish on the highlight: it takes the contrast colour.
    EXPECT_EQ(pixel(w, col, row, QPoint(1, 1)), toQColor(contrastColour(kSystemHighlight)));
    // Without the selection the frame is the highlight colour.
    w.model.memos[col][week].selected = 0;
    w.model.memos[col + 1][week].arrow = ArrowThrough;
    w.dg1->viewport()->repaint();
    EXPECT_EQ(pixel(w, col, row, QPoint(1, 1)), highlight);
    // An arrow runs at half the first line's height.
    const int half = w.fontRowHeight(9) / 2;
    EXPECT_EQ(pixel(w, col + 1, row, QPoint(50, half)), QColor(0, 128, 0));
    EXPECT_EQ(pixel(w, col + 1, row, QPoint(50, half + 6)), QColor(255, 255, 255));
}

}  // namespace
}  // namespace kelmora
