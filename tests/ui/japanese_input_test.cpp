// Japanese input as an input method delivers it: the text being composed
// sizes the memo row and is laid out with the text around it, typing or
// composing on the grid writes in the focus cell however the editor was
// closed, and what the cell cannot keep is refused before it reaches the
// month.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>
#include <algorithm>
#include <functional>
#include <optional>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "platform/passing_note.h"
#include "platform/text_layout.h"
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

// What an input method sends while the user composes, as fcitx5 sends it
// (the reading underlined, the caret after it), and, with an empty text,
// when the composition is cancelled.
void compose(QWidget* target, const QString& text) {
    QList<QInputMethodEvent::Attribute> attributes;
    if (!text.isEmpty()) {
        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, int(text.size()), underlined);
    }
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(text.size()), text.isEmpty() ? 0 : 1);
    QInputMethodEvent event(text, attributes);
    QApplication::sendEvent(target, &event);
    QApplication::processEvents();
}

// The memo of a cell of December 2026 as its month file holds it.
std::string storedInDecember(WindowHarness& h, int col, int row) {
    MonthModel month;
    month.year = 2026;
    month.month = 12;
    EXPECT_TRUE(month.buildMonth());
    if (!decodeMonthFile(h.folder.get("202612.wmd"), month)) return "(no month file)";
    return month.memos[col][MonthModel::weekOfRow(row)].text;
}

// The control an input method talks to: the one with the keyboard. It must
// be on the screen and take compositions, or what the user types is lost.
QWidget* inputMethodTarget(TForm1& w) {
    QWidget* target = w.focusWidget();
    EXPECT_TRUE(target && target->isVisible()) << "the keyboard is in a hidden control";
    EXPECT_TRUE(target && target->inputMethodQuery(Qt::ImEnabled).toBool()) << "the control takes no composition";
    return target;
}

// What the input method learns each time it is told to ask again: whether
// the control with the keyboard then takes compositions.
struct InputMethodWatch {
    explicit InputMethodWatch(TForm1& w) {
        connection = QObject::connect(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged, [&w, this] {
            answers.push_back(w.focusWidget() && w.focusWidget()->inputMethodQuery(Qt::ImEnabled).toBool());
        });
    }
    ~InputMethodWatch() { QObject::disconnect(connection); }
    QMetaObject::Connection connection;
    std::vector<bool> answers;
};

int rowNeedFor(TForm1& w, const QString& text) {
    return MemoTextLayout::lineCount(text, w.memo1->font(), w.memoTextWidth()) * w.memoLineHeight() + 6;
}

TEST(JapaneseInput, TheTextBeingComposedSizesTheRowAndACancelGivesTheHeightBack) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    clickCell(w, 3, 4);
    uitest::commitText(w.memo1, QStringLiteral("会議"));
    const int before = w.dg1->rowHeight(4);
    const QString composing = QStringLiteral("かいぎしつのよやくをかくにんしてしりょうをじゅんびする。"
                                             "あしたのあさまでにみなさんにおくります");
    ASSERT_GT(rowNeedFor(w, QStringLiteral("会議") + composing), before);

    compose(w.memo1, composing);
    EXPECT_EQ(w.memo1->shownText(), QStringLiteral("会議") + composing);
    EXPECT_EQ(w.dg1->rowHeight(4), rowNeedFor(w, QStringLiteral("会議") + composing));
    EXPECT_EQ(w.memo1->height(), w.dg1->rowHeight(4) + 1);  // the caret stays inside the editor
    EXPECT_EQ(memoAt(w, 3, 4).text, toCp932(QStringLiteral("会議")));  // nothing stored before the commit

    compose(w.memo1, QString());  // cancelled
    EXPECT_EQ(w.dg1->rowHeight(4), before);
    EXPECT_EQ(w.memo1->toPlainText(), QStringLiteral("会議"));

    compose(w.memo1, composing);
    uitest::commitText(w.memo1, composing);  // committed as composed
    EXPECT_EQ(w.dg1->rowHeight(4), rowNeedFor(w, QStringLiteral("会議") + composing));
    EXPECT_EQ(memoAt(w, 3, 4).text, toCp932(QStringLiteral("会議") + composing));
}

// With the editor hidden and the focus frame on, a printable key or a
// composition on the grid opens the editor on the focus cell and goes into
// it; with the frame off or a tool armed it does nothing.
TEST(JapaneseInput, TypingOrComposingOnTheGridWritesInTheFocusCell) {
    enum Input { Key, Composition };
    enum State { Ready, FrameOff, HolidayTool };
    struct Case {
        Input input;
        State state;
    };
    const Case cases[] = {{Key, Ready}, {Composition, Ready}, {Key, FrameOff},
                          {Composition, FrameOff}, {Key, HolidayTool}, {Composition, HolidayTool}};
    for (const Case& c : cases) {
        const std::string label = std::string(c.input == Key ? "key" : "composition") + " state " + std::to_string(c.state);
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        if (w.settings.focusFrame != (c.state != FrameOff)) w.mnufocusClick();
        clickCell(w, 1, 2, Qt::ControlModifier);  // a selection the click of typing clears
        setFocusCell(w, 5, 6);
        if (c.state == HolidayTool) w.mnuholiClick();
        w.dg1->setFocus();
        ASSERT_FALSE(w.editorShown());
        const bool writes = c.state == Ready;
        EXPECT_EQ(w.dg1->inputMethodQuery(Qt::ImEnabled).toBool(), writes) << label;

        if (c.input == Key) {
            for (char typed : {'A', 'b'}) {  // each key to the control that has the keyboard then
                QTest::keyClick(w.focusWidget(), typed);
                QApplication::processEvents();
            }
            EXPECT_EQ(w.editorShown(), writes) << label;
            EXPECT_EQ(memoAt(w, 5, 6).text, writes ? "Ab" : "") << label;
        } else {
            // The candidates show at the focus cell, then at the editor's caret.
            const QRect cell = w.dg1->cellRect(5, 6).translated(w.dg1->viewport()->pos());
            if (writes) {
                EXPECT_TRUE(cell.contains(w.dg1->inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft()));
            }
            compose(w.dg1, QStringLiteral("かいぎ"));
            EXPECT_EQ(w.editorShown(), writes) << label;
            if (writes) {
                EXPECT_EQ(w.memo1->shownText(), QStringLiteral("かいぎ"));
                EXPECT_EQ(w.focusWidget(), w.dg1);  // moving the keyboard would end the composition
                const QRect caret = w.dg1->inputMethodQuery(Qt::ImCursorRectangle).toRect();
                const QRect editor(w.dg1->mapFrom(w.memo1->parentWidget(), w.memo1->pos()), w.memo1->size());
                EXPECT_TRUE(editor.contains(caret.topLeft())) << label;
            }
            uitest::commitText(w.dg1, QStringLiteral("会議"));
            EXPECT_EQ(memoAt(w, 5, 6).text, writes ? toCp932(QStringLiteral("会議")) : "") << label;
            if (writes) {
                EXPECT_EQ(w.focusWidget(), w.memo1);
                uitest::commitText(w.memo1, QStringLiteral("室"));
                EXPECT_EQ(memoAt(w, 5, 6).text, toCp932(QStringLiteral("会議室")));
            }
        }
        EXPECT_EQ(uitest::focusOf(w), std::make_pair(5, 6)) << label;
        EXPECT_EQ(w.anySelected(), !writes) << label;
    }
}

// The keys of the key map keep their meaning on the grid; Ctrl and Alt keys
// type nothing.
TEST(JapaneseInput, KeysOfTheKeyMapAndShortcutsDoNotType) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    if (!w.settings.focusFrame) w.mnufocusClick();
    setFocusCell(w, 2, 4);
    w.dg1->setFocus();
    pressKey(w, Qt::Key_Right);
    EXPECT_EQ(uitest::focusOf(w), std::make_pair(3, 4));
    pressKey(w, Qt::Key_B, Qt::ControlModifier);
    pressKey(w, Qt::Key_N, Qt::AltModifier);  // the next-month button's accelerator
    EXPECT_FALSE(w.editorShown());
    EXPECT_EQ(memoAt(w, 3, 4).text, "");
    pressKey(w, Qt::Key_Space);  // opens the editor as a click does, typing nothing
    EXPECT_TRUE(w.editorShown());
    EXPECT_EQ(w.memo1->toPlainText(), QString());
}

// However the editor closed, the keyboard is back on the grid and the input
// method has been told so: the next composition (and the next plain key)
// writes in the cell the focus frame is on, and nowhere else.
TEST(JapaneseInput, ACompositionWritesInTheFocusCellHoweverTheEditorClosed) {
    enum Path { EditorOpen, EscapeThenMove, DateRowClick, NextMonth, ToolPutAway };
    struct Case {
        Path path;
        const char* name;
        std::pair<int, int> cell;  // where the composition must land
        int month;
        const char* before;        // the cell's text before it
    };
    const Case cases[] = {
        {EditorOpen, "editor open", {2, 4}, 12, "会議"},
        {EscapeThenMove, "Escape, then Right", {3, 4}, 12, ""},
        {DateRowClick, "a click on a date row", {2, 4}, 12, "会議"},
        {NextMonth, "the next month", {2, 4}, 1, ""},
        {ToolPutAway, "a tool armed and put away", {2, 4}, 12, "会議"},
    };
    for (const Case& c : cases) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        if (!w.settings.focusFrame) w.mnufocusClick();
        clickCell(w, 2, 4);
        uitest::commitText(inputMethodTarget(w), QStringLiteral("会議"));
        InputMethodWatch told(w);
        switch (c.path) {
            case EditorOpen: break;
            case EscapeThenMove:
                pressKey(w, Qt::Key_Escape);
                pressKey(w, Qt::Key_Right);
                break;
            case DateRowClick: clickCell(w, 4, 5); break;
            case NextMonth: w.btnnextClick(); break;
            case ToolPutAway:
                w.mnuholiClick();
                pressKey(w, Qt::Key_Escape);
                break;
        }
        if (c.path != EditorOpen) {
            EXPECT_FALSE(w.editorShown()) << c.name;
            ASSERT_FALSE(told.answers.empty()) << c.name << ": the input method was never told";
            EXPECT_TRUE(told.answers.back()) << c.name << ": the input method last heard the grid takes nothing";
        }
        EXPECT_EQ(w.model.month, c.month) << c.name;
        QWidget* target = inputMethodTarget(w);
        ASSERT_TRUE(target) << c.name;

        compose(target, QStringLiteral("にほんご"));
        const QString before = QString::fromUtf8(c.before);
        EXPECT_TRUE(w.editorShown()) << c.name;
        EXPECT_EQ(focusOf(w), c.cell) << c.name;
        EXPECT_EQ(w.memo1->shownText(), before + QStringLiteral("にほんご")) << c.name;
        EXPECT_EQ(memoAt(w, c.cell.first, c.cell.second).text, toCp932(before)) << c.name << ": stored before the commit";
        uitest::commitText(target, QStringLiteral("日本語"));
        EXPECT_EQ(memoAt(w, c.cell.first, c.cell.second).text, toCp932(before + QStringLiteral("日本語"))) << c.name;
        QTest::keyClick(inputMethodTarget(w), Qt::Key_A);  // a plain key follows the composition
        EXPECT_EQ(memoAt(w, c.cell.first, c.cell.second).text, toCp932(before + QStringLiteral("日本語a"))) << c.name;

        for (int col = 0; col < kColumns; ++col)
            for (int week = 1; week <= kWeeks; ++week) {
                const std::pair<int, int> cell{col, MonthModel::memoRow(week)};
                const bool typedIn = cell == c.cell || (c.month == 12 && cell == std::make_pair(2, 4));
                EXPECT_EQ(w.model.memos[col][week].text.empty(), !typedIn) << c.name << ": cell " << col << "," << week;
            }
        if (c.path == NextMonth) {  // the month left keeps what was typed there
            EXPECT_EQ(storedInDecember(h, 2, 4), cp932::literal("会議"));
        }
    }
}

// A composition still open when the editor closes or the month is saved
// and left is kept as it shows, in the cell it was typed in: the input
// methods drop it themselves.
TEST(JapaneseInput, WhatIsBeingComposedIsKeptWhenTheEditorClosesOrTheMonthIsLeft) {
    enum Action { DateRowClick, MemoCellClick, NextMonth, HolidayTool, CloseWindow };
    const std::pair<Action, const char*> actions[] = {{DateRowClick, "a click on a date row"},
                                                      {MemoCellClick, "a click on another memo cell"},
                                                      {NextMonth, "the next month"},
                                                      {HolidayTool, "the holiday tool"},
                                                      {CloseWindow, "closing the window"}};
    for (const auto& [action, name] : actions) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        clickCell(w, 2, 4);
        uitest::commitText(w.memo1, QStringLiteral("会議"));
        compose(w.memo1, QStringLiteral("しつ"));
        switch (action) {
            case DateRowClick: clickCell(w, 4, 5); break;
            case MemoCellClick: clickCell(w, 4, 6); break;
            case NextMonth: w.btnnextClick(); break;
            case HolidayTool: w.mnuholiClick(); break;
            case CloseWindow: h.close(); break;
        }
        if (action == DateRowClick || action == HolidayTool || action == MemoCellClick) {
            EXPECT_EQ(memoAt(w, 2, 4).text, cp932::literal("会議しつ")) << name;
            EXPECT_TRUE(w.memo1->composingText().isEmpty()) << name;
            w.idleSaveTimerTimer();
        }
        EXPECT_EQ(storedInDecember(h, 2, 4), cp932::literal("会議しつ")) << name;
    }
}

// IBus with Mozc delivers a composition that ended when the editor lost the
// keyboard once more, a moment later, to the grid: it is in its cell
// already and is not typed again. A new composition of the same word is.
TEST(JapaneseInput, ASecondDeliveryOfAnEndedCompositionIsNotTypedAgain) {
    for (const bool committedByTheInputMethod : {false, true}) {
        WindowHarness h(Date{2026, 12, 10});
        TForm1& w = h.open();
        if (!w.settings.focusFrame) w.mnufocusClick();
        clickCell(w, 2, 4);
        compose(w.memo1, QStringLiteral("しつ"));
        // Qt's IBus plugin commits what it shows when the keyboard moves;
        // otherwise the window does.
        if (committedByTheInputMethod) uitest::commitText(w.memo1, QStringLiteral("しつ"));
        clickCell(w, 4, 5);  // a date row
        ASSERT_EQ(memoAt(w, 2, 4).text, cp932::literal("しつ"));
        uitest::commitText(inputMethodTarget(w), QStringLiteral("しつ"));  // delivered again
        EXPECT_FALSE(w.editorShown()) << committedByTheInputMethod;
        EXPECT_EQ(memoAt(w, 2, 4).text, cp932::literal("しつ")) << committedByTheInputMethod;
        compose(inputMethodTarget(w), QStringLiteral("しつ"));
        uitest::commitText(inputMethodTarget(w), QStringLiteral("しつ"));
        EXPECT_EQ(memoAt(w, 2, 4).text, cp932::literal("しつしつ")) << committedByTheInputMethod;
    }
}

// The left edge of the ink in `area` of `image` (paper elsewhere), and the
// lines of `lineHeight` from `top` that hold ink.
struct Ink {
    int left = -1;
    int lines = 0;
};
Ink inkOf(const QImage& image, const QRect& area, const std::vector<QColor>& paper, int top, int lineHeight) {
    Ink ink;
    std::vector<bool> lineInked;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            if (std::find(paper.begin(), paper.end(), image.pixelColor(x, y)) != paper.end()) continue;
            if (ink.left < 0 || x - area.left() < ink.left) ink.left = x - area.left();
            if (y < top) continue;
            const auto line = static_cast<std::size_t>((y - top) / lineHeight);
            if (lineInked.size() <= line) lineInked.resize(line + 1);
            lineInked[line] = true;
        }
    for (bool inked : lineInked) ink.lines += inked ? 1 : 0;
    return ink;
}

std::vector<std::pair<int, int>> editorLines(const TCanvasEdit& editor) {
    std::vector<std::pair<int, int>> lines;
    int start = 0;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            lines.emplace_back(start + block.layout()->lineAt(i).textStart(), block.layout()->lineAt(i).textLength());
        start += block.length() + static_cast<int>(block.layout()->preeditAreaText().size());
    }
    return lines;
}

std::vector<std::pair<int, int>> sharedLines(TForm1& w) {
    std::vector<std::pair<int, int>> lines;
    for (const LaidLine& line : MemoTextLayout::lines(w.memo1->shownText(), w.memo1->font(), w.memoTextWidth()))
        lines.emplace_back(line.start, line.length);
    return lines;
}

// What Mozc shows while "kaigi..." is typed: each letter in full width
// until it completes a kana. The composition grows by a letter that then
// turns into a narrower kana, so a line gets wider and narrower again.
struct Syllable {
    const char* kana;
    const char* letters;  // shown before the kana
};
QString typeReading(QWidget* target, std::initializer_list<Syllable> syllables,
                    const std::function<void(const QString&)>& afterEachStep) {
    QString reading;
    for (const Syllable& syllable : syllables) {
        const QString letters = QString::fromUtf8(syllable.letters);
        std::vector<QString> steps;
        for (int typed = 1; typed <= letters.size(); ++typed) steps.push_back(reading + letters.left(typed));
        reading += QString::fromUtf8(syllable.kana);
        steps.push_back(reading);
        for (const QString& step : steps) {
            compose(target, step);
            afterEachStep(step);
            if (::testing::Test::HasFatalFailure()) return reading;
        }
    }
    return reading;
}

// A long composition after committed text, typed as above. The editor lays
// the reading out with the text as one text, as the grid and the row
// measurement do, and never moves it sideways: the painted text starts
// where it started, before, during and after the commit, with the same
// lines, and where the grid paints it.
TEST(JapaneseInput, ALongCompositionIsLaidOutWithTheTextAndNeverShiftsIt) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    if (w.settings.focusFrame) w.mnufocusClick();  // no frame around the cell once the editor closes
    const auto [col, row] = std::make_pair(6, 6);
    clickCell(w, col, row);
    const int lineHeight = w.memoLineHeight();
    // In the editor's coordinates (it lies on the cell's top-left corner);
    // its margins are paper too.
    const auto editorInk = [&] {
        const QImage shot = w.memo1->grab().toImage();
        const std::vector<QColor> paper{w.memo1->palette().color(QPalette::Base), shot.pixelColor(0, 0)};
        return inkOf(shot, QRect(0, 0, shot.width() - 1, shot.height() - 1), paper, w.memo1->viewport()->y(),
                     lineHeight);
    };
    // The first line of text, as painted: the text below it grows, it stays.
    const auto firstLine = [&] {
        return w.memo1->viewport()->grab().toImage().copy(0, 0, w.memo1->viewport()->width(), lineHeight);
    };
    std::optional<Ink> first;
    std::optional<QImage> firstLinePainted;
    const auto check = [&](const QString& step) {
        ASSERT_EQ(editorLines(*w.memo1), sharedLines(w)) << step.toStdString();
        const Ink ink = editorInk();
        if (!first) first = ink;
        ASSERT_EQ(ink.left, first->left) << "moved sideways at " << step.toStdString();
        if (firstLinePainted) {
            ASSERT_TRUE(firstLine() == *firstLinePainted) << "the first line moved at " << step.toStdString();
        }
    };
    // "kaigishitsunoyoyakuwokakuninsuru"
    const QString committed = typeReading(w.memo1, {{"か", "ｋ"}, {"い", ""}, {"ぎ", "ｇ"}, {"し", "ｓｈ"}, {"つ", "ｔｓ"},
                                                   {"の", "ｎ"}, {"よ", "ｙ"}, {"や", "ｙ"}, {"く", "ｋ"}, {"を", "ｗ"},
                                                   {"か", "ｋ"}, {"く", "ｋ"}, {"に", "ｎ"}, {"ん", "ｎ"}, {"す", "ｓ"},
                                                   {"る", "ｒ"}},
                                        check);
    uitest::commitText(w.memo1, committed);
    check(committed);
    ASSERT_EQ(editorInk().lines, 2);
    firstLinePainted = firstLine();

    // "shiryouwojunbisuruashitanoasamadeniminasanniokurimasu"
    const QString reading = typeReading(
        w.memo1, {{"し", "ｓｈ"}, {"りょ", "ｒｙ"}, {"う", ""}, {"を", "ｗ"}, {"じゅ", "ｊ"}, {"ん", "ｎ"}, {"び", "ｂ"},
                  {"す", "ｓ"}, {"る", "ｒ"}, {"あ", ""}, {"し", "ｓｈ"}, {"た", "ｔ"}, {"の", "ｎ"}, {"あ", ""},
                  {"さ", "ｓ"}, {"ま", "ｍ"}, {"で", "ｄ"}, {"に", "ｎ"}, {"み", "ｍ"}, {"な", "ｎ"}, {"さ", "ｓ"},
                  {"ん", "ｎ"}, {"に", "ｎ"}, {"お", ""}, {"く", "ｋ"}, {"り", "ｒ"}, {"ま", "ｍ"}, {"す", "ｓ"}},
        check);
    const int composedLines = static_cast<int>(sharedLines(w).size());
    ASSERT_GT(composedLines, 4);
    EXPECT_EQ(editorInk().lines, composedLines);

    uitest::commitText(w.memo1, reading);
    check(reading);
    EXPECT_EQ(editorInk().lines, composedLines);
    EXPECT_EQ(memoAt(w, col, row).text, toCp932(committed + reading));

    // The grid paints the cell with the same lines at the same place.
    pressKey(w, Qt::Key_Escape);
    const QRect cell = w.dg1->cellRect(col, row);
    const QImage grid = w.dg1->viewport()->grab().toImage();
    const Ink painted = inkOf(grid, cell.adjusted(0, 0, -1, -1), {grid.pixelColor(cell.bottomRight() - QPoint(2, 2))},
                              cell.top() + w.memo1->viewport()->y(), lineHeight);
    EXPECT_EQ(painted.left, first->left);
    EXPECT_EQ(painted.lines, composedLines);
}

// A cell full to the grid's height: the key that would overflow it is
// refused before the month changes. The file equals the screen at every
// moment, also while the refusal is being read (a box's own event loop let
// the save on idle write the refused text); the refusal is said beside the
// cell, and no box stops the typing.
TEST(JapaneseInput, AFullCellRefusesTheNextLineBeforeTheMonthChanges) {
    WindowHarness h(Date{2026, 12, 10}, QRect(0, 0, 1280, 500));
    h.dialogs.whileShown = [] { QTest::qWait(800); };
    TForm1& w = h.open();
    auto [col, row] = memoCellOfDay(w, 2);  // first week: the row is the top row
    clickCell(w, col, row);
    std::string shown;
    for (int i = 0; i < 60 && !w.editorNote->isVisible(); ++i) {
        shown = memoAt(w, col, row).text;
        QWidget* target = inputMethodTarget(w);
        compose(target, QStringLiteral("ぎょう"));
        uitest::commitText(target, QStringLiteral("行%1\n").arg(i));
    }
    ASSERT_TRUE(w.editorNote->isVisible()) << "the cell never filled up";
    EXPECT_EQ(w.editorNote->text().toStdString(), "メモ欄が一杯です。\nこれ以上入力できません");
    EXPECT_TRUE(h.dialogs.messages.empty()) << "a box stopped the typing";
    EXPECT_EQ(memoAt(w, col, row).text, shown);
    EXPECT_EQ(toCp932(MemoTextLayout::normalised(w.memo1->toPlainText()).replace(QStringLiteral("\n"), QStringLiteral("\r\n"))), shown);
    EXPECT_EQ(w.focusWidget(), w.memo1);  // typing goes on in the editor
    QTest::qWait(800);                    // the save on idle
    EXPECT_EQ(storedInDecember(h, col, row), shown);
    // The row is as tall as the grid allows, and the window stays in the work area.
    EXPECT_LE(w.dg1->rowHeight(0) + w.dg1->rowHeight(row) + w.dg1->defaultRowHeight(), w.dg1->height());
    EXPECT_LE(w.frameGeometry().bottom(), 499);
    // A change that fits is taken again, and the note goes with the editor.
    QTest::keyClick(w.memo1, Qt::Key_Backspace);
    EXPECT_NE(memoAt(w, col, row).text, shown);
    pressKey(w, Qt::Key_Escape);
    EXPECT_FALSE(w.editorNote->isVisible());
}

// What a candidate list offers that CP932 cannot hold as itself is refused
// at the commit, named in the note beside the cell, and never stored as
// another character (an overline as the full-width macron, a yen sign as a
// backslash). The JIS forms of the seven characters of two spellings are
// kept (tested with the files).
TEST(JapaneseInput, CandidatesTheFileCannotHoldAsThemselvesAreRefusedByName) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    auto [col, row] = memoCellOfDay(w, 7);
    clickCell(w, col, row);
    uitest::commitText(w.memo1, QStringLiteral("会議室"));
    QTextCursor caret = w.memo1->textCursor();
    caret.setPosition(2);  // between 会議 and 室
    w.memo1->setTextCursor(caret);
    struct Case {
        const char* reading;
        const char* candidate;
        const char* named;
    };
    const Case cases[] = {
        {"〜", "‾", "「‾」(U+203E)"},     // overline, not ￣ (U+FFE3)
        {"えん", "¥", "「¥」(U+00A5)"},   // yen sign, not \ (0x5C)
        {"|", "¦", "「¦」(U+00A6)"},      // broken bar, not ￤ (U+FFE4)
        {"・", "·", "「·」(U+00B7)"},     // middle dot, not ・ (U+30FB)
        {"れいわ", "㋿", "「㋿」(U+32FF)"},
        {"TM", "™", "「™」(U+2122)"},
        {"よし", "𠮷", "「𠮷」(U+20BB7)"},
        {"か", "か\u309A", "「\u309A」(U+309A)"},  // a combining mark after the kana
        {"e", "é", "「é」(U+00E9)"},
        {"えもじ", "😀", "「😀」(U+1F600)"},
        {"han", "한", "「한」(U+D55C)"},
    };
    for (const Case& c : cases) {
        w.editorNote->putAway();
        compose(w.memo1, QString::fromUtf8(c.reading));
        uitest::commitText(w.memo1, QString::fromUtf8(c.candidate));
        EXPECT_TRUE(w.editorNote->isVisible()) << c.candidate;
        EXPECT_EQ(w.editorNote->text().toStdString(), std::string("この文字はメモに使えません：") + c.named);
        EXPECT_EQ(w.memo1->toPlainText(), QStringLiteral("会議室")) << c.candidate;
        EXPECT_EQ(w.memo1->textCursor().position(), 2) << c.candidate << ": the caret went elsewhere";
        EXPECT_EQ(memoAt(w, col, row).text, cp932::literal("会議室")) << c.candidate;
    }
    EXPECT_TRUE(h.dialogs.messages.empty()) << "a box stopped the typing";
    uitest::commitText(w.memo1, QStringLiteral("〜"));
    EXPECT_EQ(memoAt(w, col, row).text, cp932::literal("会議") + "\x81\x60" + cp932::literal("室"));
}

}  // namespace
}  // namespace kelmora
