// Japanese input as an input method delivers it: the text being composed
// sizes the memo row, and typing or composing on the grid writes in the
// focus cell.

#include <gtest/gtest.h>

#include <QInputMethodEvent>

#include "CanvasEdit/TCanvasEdit.h"
#include "platform/text_layout.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::clickCell;
using uitest::memoAt;
using uitest::pressKey;
using uitest::setFocusCell;
using uitest::WindowHarness;

// What an input method sends while the user composes (and, with an empty
// text, when the composition is cancelled).
void compose(QWidget* target, const QString& text) {
    QInputMethodEvent event(text, {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(text.size()), 1)});
    QApplication::sendEvent(target, &event);
    QApplication::processEvents();
}

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

}  // namespace
}  // namespace kelmora
