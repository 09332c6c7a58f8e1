// The commands on the selection and the focus cell, the marking tools, the
// editor's clipboard and undo, and what the menus enable as they open.

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolBar>
#include <fstream>

#include "CanvasEdit/TCanvasEdit.h"
#include "about/about_box.h"
#include "main/cp932.h"
#include "main/tool_cursors.h"
#include "platform/colours.h"
#include "textinput/memo_input_dialog.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::clickCell;
using uitest::memoAt;
using uitest::pressKey;
using uitest::WindowHarness;

constexpr Colour kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kYellow = 0x00FFFF;

std::string utf8(const std::string& cp932Text) { return cp932::toUtf8(cp932Text); }

// The memo input dialog answers with these lines (none: Cancel).
void answerMemoInput(TForm1& w, std::vector<QString> lines) {
    w.runModal = [lines](QDialog& d) {
        auto& input = static_cast<TForm3&>(d);
        d.open();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(input.Memoadd, Qt::Key_Return);
            uitest::commitText(input.Memoadd, lines[i]);
        }
        QTest::mouseClick(lines.empty() ? input.BitBtn2 : input.BitBtn1, Qt::LeftButton);
    };
}

TEST(SelectionCommands, AddingAMemoJoinsItBelowWithCrLf) {
    struct Case {
        const char* before;
        std::vector<QString> input;
        const char* after;
    };
    const Case cases[] = {
        {"", {QStringLiteral("会議")}, "会議"},
        {"朝", {QStringLiteral("会議")}, "朝\r\n会議"},
        {"朝", {QStringLiteral("一"), QStringLiteral("二")}, "朝\r\n一\r\n二"},
        {"朝", {}, "朝"},  // Cancel: nothing added
    };
    for (const Case& c : cases) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        memoAt(w, 2, 4).text = cp932::literal(c.before);
        memoAt(w, 0, 2).text = cp932::literal(c.before);  // 29 November, beside the month
        clickCell(w, 2, 4, Qt::ControlModifier);
        clickCell(w, 0, 2, Qt::ControlModifier);
        w.model.dirty = false;
        answerMemoInput(w, c.input);
        w.mnuaddmemoClick();
        EXPECT_EQ(utf8(memoAt(w, 2, 4).text), c.after);
        EXPECT_EQ(utf8(memoAt(w, 0, 2).text), c.after);
        EXPECT_EQ(utf8(memoAt(w, 3, 4).text), "");  // not selected
        EXPECT_EQ(w.model.dirty, !c.input.empty());
        EXPECT_FALSE(w.anySelected());
        EXPECT_EQ(w.dg1->rowHeight(4), w.rowHeightForWeek(2));
        EXPECT_TRUE(h.dialogs.messages.empty());
    }
}

TEST(SelectionCommands, AddingAMemoSkipsCellsThatWouldOutgrowTheMonthFile) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const std::string nearlyFull(65530, 'a');
    memoAt(w, 1, 4).text = nearlyFull;
    memoAt(w, 2, 4).text = nearlyFull;
    memoAt(w, 3, 4).text = std::string(65535 - 7, 'b');  // exactly full afterwards
    for (int col : {1, 2, 3, 4}) memoAt(w, col, 4).selected = 1;
    answerMemoInput(w, {QStringLiteral("abcde")});
    w.mnuaddmemoClick();
    EXPECT_EQ(memoAt(w, 1, 4).text, nearlyFull);
    EXPECT_EQ(memoAt(w, 2, 4).text, nearlyFull);
    EXPECT_EQ(memoAt(w, 3, 4).text.size(), 65535u);
    EXPECT_EQ(memoAt(w, 4, 4).text, "abcde");
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].find("2 個のメモ欄"), std::string::npos) << h.dialogs.messages[0];
    // What was added can be written.
    EXPECT_EQ(w.store().saveMonth(w.model, false), SaveOutcome::Written);
}

TEST(SelectionCommands, DeletingAsksAndCancelKeepsEveryText) {
    for (Answer answer : {Answer::Cancel, Answer::Ok}) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        Tmemocell& memo = memoAt(w, 2, 6);
        memo.text = "x\r\ny\r\nz\r\nw\r\nv";
        memo.backColor = kYellow;
        memo.hasBackColor = 1;
        clickCell(w, 2, 6, Qt::ControlModifier);
        h.dialogs.answers.push_back(answer);
        w.model.dirty = false;
        w.mnudelmemoClick();
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0], "選択されたメモ欄の予定を全て削除します。\r\nよろしいですか？");
        EXPECT_EQ(memo.text.empty(), answer == Answer::Ok);
        EXPECT_EQ(w.model.dirty, answer == Answer::Ok);
        EXPECT_EQ(memo.hasBackColor, 1);  // colours stay
        EXPECT_FALSE(w.anySelected());
        if (answer == Answer::Ok) {
            EXPECT_EQ(w.dg1->rowHeight(6), w.settings.memo.height);
        }
    }
}

TEST(SelectionCommands, AColourEqualToTheOtherColourIsRefusedOncePerCell) {
    struct Case {
        bool background;  // the background command, else the text colour command
        Colour picked;
        int refusals;
    };
    // Cells: 8 Dec (black text on white), 9 Dec (black text on white),
    // 10 Dec (its own yellow text; on its own black for the text command),
    // 6 Dec, a Sunday (red text on white).
    for (Case c : {Case{true, kBlack, 2}, Case{true, kRed, 1}, Case{false, kWhite, 3}, Case{false, kBlack, 1}}) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        memoAt(w, 4, 4).fontColor = kYellow;
        memoAt(w, 4, 4).hasFontColor = 1;
        memoAt(w, 4, 4).backColor = kBlack;
        memoAt(w, 4, 4).hasBackColor = c.background ? 0 : 1;  // yellow on black for the text command
        for (int col : {0, 2, 3, 4}) clickCell(w, col, 4, Qt::ControlModifier);
        h.dialogs.colours.push_back(c.picked);
        if (c.background) w.multbkcolorClick();
        else w.multfcolorClick();
        EXPECT_EQ(static_cast<int>(h.dialogs.messages.size()), c.refusals) << c.picked;
        for (const std::string& m : h.dialogs.messages) EXPECT_EQ(m, "背景色と文字色が同じです");
        int changed = 0;
        for (int col : {0, 2, 3, 4}) {
            const Tmemocell& memo = memoAt(w, col, 4);
            const bool took = c.background ? memo.hasBackColor && memo.backColor == c.picked
                                           : memo.hasFontColor && memo.fontColor == c.picked;
            changed += took;
        }
        EXPECT_EQ(changed, 4 - c.refusals) << c.picked;
        EXPECT_FALSE(w.anySelected());
        EXPECT_TRUE(w.model.dirty);
    }
}

TEST(SelectionCommands, CancelledPickerAndColourResetAnsweredNo) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    Tmemocell& memo = memoAt(w, 2, 4);
    memo.backColor = kYellow;
    memo.hasBackColor = 1;
    memo.fontColor = kRed;
    memo.hasFontColor = 1;
    clickCell(w, 2, 4, Qt::ControlModifier);
    w.multbkcolorClick();  // picker cancelled
    EXPECT_EQ(memo.backColor, kYellow);
    clickCell(w, 2, 4, Qt::ControlModifier);
    h.dialogs.answers = {Answer::No};
    w.multcoloriniClick();
    EXPECT_EQ(h.dialogs.messages.back(), "選択したメモ欄の配色を通常に戻します。\r\nよろしいですか？");
    EXPECT_TRUE(memo.selected);  // No keeps the selection
    EXPECT_TRUE(memo.hasBackColor && memo.hasFontColor);
    h.dialogs.answers = {Answer::Yes};
    w.multcoloriniClick();
    EXPECT_FALSE(memo.hasBackColor || memo.hasFontColor);
    EXPECT_EQ(memo.backColor, kYellow);  // kept for a later choice
    EXPECT_EQ(memo.fontColor, kRed);
    EXPECT_FALSE(w.anySelected());
}

TEST(FocusCellCommands, ColoursEraseAndTheEditorFollows) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    clickCell(w, 3, 4);
    uitest::commitText(w.memo1, QStringLiteral("歯医者"));
    Tmemocell& memo = memoAt(w, 3, 4);
    h.dialogs.colours = {kBlack, kYellow};
    w.mnuchng_bkcClick();  // black on black text: refused
    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"背景色と文字色が同じです"});
    EXPECT_FALSE(memo.hasBackColor);
    w.mnuchng_bkcClick();
    EXPECT_TRUE(memo.hasBackColor);
    EXPECT_EQ(w.memo1->palette().color(QPalette::Base), toQColor(kYellow));
    h.dialogs.colours = {kYellow, kRed};
    w.mnuchng_fcClick();  // yellow on yellow: refused
    w.mnuchng_fcClick();
    EXPECT_EQ(memo.fontColor, kRed);
    EXPECT_EQ(w.memo1->palette().color(QPalette::Text), toQColor(kRed));
    h.dialogs.answers = {Answer::Yes};
    w.mnucoloriniClick();
    EXPECT_FALSE(memo.hasBackColor || memo.hasFontColor);
    EXPECT_EQ(w.memo1->palette().color(QPalette::Base), toQColor(kWhite));
    // Erasing asks; Cancel keeps the text, OK empties the cell.
    h.dialogs.answers = {Answer::Cancel, Answer::Ok};
    w.mnudeltxtClick();
    EXPECT_EQ(utf8(memo.text), "歯医者");
    w.mnudeltxtClick();
    EXPECT_EQ(memo.text, "");
    EXPECT_EQ(h.dialogs.messages.back(), "このメモ欄のメモを消去します。\r\nよろしいですか？");
}

// --- marking tools ---------------------------------------------------------------

TEST(MarkingTools, MarksReplaceAndNeverToggle) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    struct Click {
        bool holidayTool;
        int col, row;  // a date or memo row
        std::uint8_t holiday, holidayMark, weekdayMark;
    };
    // 9 December (col 3, week 2), then 29 November beside the month (col 0, week 1).
    const Click clicks[] = {
        {true, 3, 3, 1, 1, 0},  {true, 3, 4, 1, 1, 0},  // again: unchanged, not toggled
        {false, 3, 4, 0, 0, 1}, {false, 3, 3, 0, 0, 1},
        {true, 3, 4, 1, 1, 0},  {true, 0, 2, 1, 1, 0},  {false, 0, 1, 0, 0, 1},
    };
    for (const Click& c : clicks) {
        if (c.holidayTool != w.holidayMarking) c.holidayTool ? w.mnuholiClick() : w.mnuheiClick();
        w.model.dirty = false;
        clickCell(w, c.col, c.row);
        const int week = MonthModel::weekOfRow(c.row);
        EXPECT_EQ(w.model.cells[c.col][week].holiday, c.holiday) << c.col << "," << c.row;
        EXPECT_EQ(w.model.marks[c.col][week].holidayMark, c.holidayMark);
        EXPECT_EQ(w.model.marks[c.col][week].weekdayMark, c.weekdayMark);
        EXPECT_TRUE(w.model.dirty);
        EXPECT_FALSE(w.editorShown());
        EXPECT_TRUE(w.holidayMarking || w.weekdayMarking);  // the tool stays on
    }
    // A press on the weekday header marks no day.
    w.mnuholiClick();
    w.model.dirty = false;
    clickCell(w, 5, 0);
    EXPECT_FALSE(w.model.dirty);
    EXPECT_EQ(w.model.cells[0][1].holiday, 0);  // the grid's current cell stayed on 29 November
}

TEST(MarkingTools, StayOnAcrossAMonthChangeAndMarksAreKept) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    w.mnuholiClick();
    w.btnnextClick();  // January 2027: the 1st is a national holiday (col 5, week 1)
    ASSERT_TRUE(w.holidayMarking);
    clickCell(w, 5, 2);
    EXPECT_EQ(w.model.marks[5][1].holidayMark, 1);  // recorded on a national holiday too
    clickCell(w, 2, 4);  // Tuesday 5 January
    EXPECT_EQ(w.model.cells[2][2].holiday, 1);
    w.btnprevClick();
    w.btnnextClick();
    EXPECT_EQ(w.model.marks[2][2].holidayMark, 1);
    EXPECT_EQ(w.model.cells[2][2].holiday, 1);
}

QImage cursorImage(const QCursor* cursor) { return cursor ? cursor->pixmap().toImage() : QImage(); }

TEST(MarkingTools, SwitchingResettingAndTheirCursors) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const QImage holiday = cursorImage(&toolCursor(ToolCursor::Holiday));
    const QImage weekday = cursorImage(&toolCursor(ToolCursor::Weekday));
    const QImage range = cursorImage(&toolCursor(ToolCursor::Range));
    EXPECT_NE(holiday, weekday);
    EXPECT_NE(holiday, range);
    EXPECT_NE(weekday, range);
    EXPECT_EQ(toolCursor(ToolCursor::Holiday).hotSpot(), QPoint(16, 16));
    EXPECT_EQ(toolCursor(ToolCursor::Range).hotSpot(), QPoint(0, 0));

    clickCell(w, 3, 4);
    w.tbweekday->trigger();
    EXPECT_FALSE(w.editorShown());
    EXPECT_TRUE(w.weekdayMarking && w.tbweekday->isChecked() && w.mnuhei->isChecked());
    EXPECT_EQ(cursorImage(QApplication::overrideCursor()), weekday);
    w.tbholiday->trigger();  // straight to the other tool
    EXPECT_TRUE(w.holidayMarking && w.tbholiday->isChecked() && w.mnuholi->isChecked());
    EXPECT_FALSE(w.weekdayMarking || w.tbweekday->isChecked() || w.mnuhei->isChecked());
    EXPECT_EQ(cursorImage(QApplication::overrideCursor()), holiday);
    w.tbholiday->trigger();  // again: every tool off
    EXPECT_FALSE(w.holidayMarking || w.weekdayMarking || w.tbholiday->isChecked() || w.mnuholi->isChecked());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A click on the bare window or the bare toolbar is the tool reset.
    const std::pair<QWidget*, QPoint> bareSpots[] = {
        {w.centralWidget(), QPoint(3, w.gridTop() - 3)},
        {w.ToolBar1, QPoint(w.ToolBar1->width() - 3, w.ToolBar1->height() / 2)},
    };
    for (auto [bare, spot] : bareSpots) {
        ASSERT_EQ(bare->childAt(spot), nullptr);
        w.mnuheiClick();
        QTest::mouseClick(bare, Qt::LeftButton, Qt::NoModifier, spot);
        EXPECT_FALSE(w.weekdayMarking);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

// --- the editor's commands and the menus ---------------------------------------------

TEST(EditorCommands, ClipboardAndOneLevelUndo) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    QGuiApplication::clipboard()->setText(QStringLiteral("前"));
    w.Paste1Click();  // the editor is hidden: nothing
    clickCell(w, 3, 4);
    uitest::commitText(w.memo1, QStringLiteral("会議"));
    w.SelectAll1Click();
    w.Copy1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("会議"));
    w.Cut1Click();
    EXPECT_EQ(memoAt(w, 3, 4).text, "");
    w.Paste1Click();
    w.Paste1Click();
    EXPECT_EQ(utf8(memoAt(w, 3, 4).text), "会議会議");
    w.mnuundoClick();
    EXPECT_EQ(utf8(memoAt(w, 3, 4).text), "会議");
    w.mnuundoClick();  // undoing again brings the change back
    EXPECT_EQ(utf8(memoAt(w, 3, 4).text), "会議会議");
    pressKey(w, Qt::Key_Z, Qt::ControlModifier);  // the key does the same
    EXPECT_EQ(utf8(memoAt(w, 3, 4).text), "会議");
}

TEST(MenuEnabling, GridMenuFollowsTheSelection) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    const auto items = w.PopupMenu1->actions();
    QStringList captions;
    for (QAction* a : items) captions << (a->isSeparator() ? QStringLiteral("|") : a->text());
    EXPECT_EQ(captions.join(QStringLiteral(",")).toStdString(),
              "選択したメモ欄にメモを追加...,選択したメモ欄のメモを削除...,|,選択したメモ欄の背景色を変更...,"
              "選択したメモ欄の文字色を変更...,選択したメモ欄の配色を通常に戻す...");
    for (bool select : {false, true, false}) {
        if (select) clickCell(w, 1, 8, Qt::ControlModifier);
        else w.model.clearSelection();
        w.PopupMenu1Popup();
        for (QAction* a : items)
            if (!a->isSeparator()) {
                EXPECT_EQ(a->isEnabled(), select) << a->text().toStdString();
            }
    }
}

TEST(MenuEnabling, EditMenuAndEditorMenu) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    QGuiApplication::clipboard()->setText(QStringLiteral("貼る"));
    const auto enabled = [](std::initializer_list<QAction*> actions) {
        std::string s;
        for (QAction* a : actions) s += a->isEnabled() ? '1' : '0';
        return s;
    };
    w.MenuItem1Click();  // undo, cut, copy, paste: the editor is hidden
    EXPECT_EQ(enabled({w.mnuundo, w.Cut1, w.Copy1, w.Paste1}), "0000");

    clickCell(w, 3, 4);
    w.MenuItem1Click();
    EXPECT_EQ(enabled({w.mnuundo, w.Cut1, w.Copy1, w.Paste1}), "0001");
    w.PopupMenu2Popup();
    EXPECT_EQ(enabled({w.pmUndo, w.pmCut, w.pmCopy, w.pmPaste, w.mnucolorini, w.mnuchng_bkc, w.mnudeltxt}), "0001011");

    QTest::keyClicks(w.memo1, QStringLiteral("abc"));
    w.SelectAll1Click();
    memoAt(w, 3, 4).hasFontColor = 1;
    w.MenuItem1Click();
    EXPECT_EQ(enabled({w.mnuundo, w.Cut1, w.Copy1, w.Paste1}), "1111");
    w.PopupMenu2Popup();
    EXPECT_EQ(enabled({w.pmUndo, w.pmCut, w.pmCopy, w.pmPaste, w.mnucolorini}), "11111");

    // Moved to another cell: nothing to undo until something is typed.
    clickCell(w, 4, 4);
    w.MenuItem1Click();
    EXPECT_FALSE(w.mnuundo->isEnabled());
    w.PopupMenu2Popup();
    EXPECT_FALSE(w.pmUndo->isEnabled());
    QGuiApplication::clipboard()->clear();
    QTest::keyClicks(w.memo1, QStringLiteral("d"));
    w.MenuItem1Click();
    EXPECT_TRUE(w.mnuundo->isEnabled());
    EXPECT_FALSE(w.Paste1->isEnabled());
}

TEST(MainMenus, CaptionsShortcutsAndToolbarOrder) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    std::string menus;
    for (QAction* top : w.menuBar()->actions()) {
        menus += top->text().toStdString() + "[";
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator()) menus += "|";
            else menus += a->text().toStdString() + (a->shortcut().isEmpty() ? "" : " " + a->shortcut().toString().toStdString());
            if (a->menu())
                for (QAction* sub : a->menu()->actions())
                    menus += "(" + sub->text().toStdString() + " " + sub->shortcut().toString().toStdString() + ")";
            menus += ";";
        }
        menus += "]";
    }
    EXPECT_EQ(menus,
              "カレンダー(&C)[今月を表示(&T) Ctrl+T;年月指定ジャンプ(&J) Ctrl+J;メモを検索(&F)... Ctrl+Shift+F;|;"
              "休平日設定(&K)(休日設定 Ctrl+H)(平日設定 Ctrl+W);矢印を引く(&Y) Ctrl+Y;|;"
              "印刷用紙設定(&U)...;印刷プレビュー(&V)...;印刷(&P)...;PDFに保存(&D)...;iCalendar形式で書き出す(&E)...;|;設定(&S)...;|;終了(&X);]"
              "編集(&E)[元に戻す(&U) Ctrl+Z;|;切り取り(&T) Ctrl+X;コピー(&C) Ctrl+C;貼り付け(&P) Ctrl+V;]"
              "表示(&V)[フォーカス枠(&F);|;六曜(&R);二十四節気(&K);|;ツールバー(&T);]"
              "ヘルプ(&H)[目次(&C);バージョン情報(&A)...;]");
    std::string toolbar;
    for (QAction* a : w.ToolBar1->actions()) toolbar += (a->isSeparator() ? "|" : a->toolTip().toStdString()) + ",";
    EXPECT_EQ(toolbar,
              "今月を表示,年月指定ジャンプ,|,印刷,印刷プレビュー,|,切り取り,コピー,貼り付け,|,休日設定,平日設定,|,"
              "複数日にまたがる矢印,");

    // The about box is shown modally and gone afterwards.
    const char* shown = nullptr;
    w.runModal = [&](QDialog& d) { shown = d.metaObject()->className(); };
    w.mnuversionClick();
    EXPECT_STREQ(shown, "kelmora::Tfrmversion");
    EXPECT_TRUE(w.findChildren<Tfrmversion*>().isEmpty());
    // Help opens the file beside the program; without it, it says so.
    w.mnuhelpClick();
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    std::ofstream(h.folder.file("kelmora.hlp")) << "<h1>目次</h1>";
    w.mnuhelpClick();
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    bool helpShown = false;
    for (QWidget* top : QApplication::topLevelWidgets())
        helpShown |= top->isVisible() && top->parentWidget() == &w && top->windowTitle().contains(QStringLiteral("ヘルプ"));
    EXPECT_TRUE(helpShown);
}

}  // namespace
}  // namespace kelmora
