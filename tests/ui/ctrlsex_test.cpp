#include "CtrlsEx/button_ex.h"
#include "CtrlsEx/edit_ex.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QImage>
#include <QtTest/QTest>

namespace kelmora {
namespace {

struct TypingCase {
    const char* name;
    const char* preset;  // written through setText with Thousands on
    int caret;           // caret position before typing, in the shown text
    const char* keys;    // '\b' is Backspace, '\x7f' Delete
    const char* shown;
    const char* text;
    int caretFromEnd;
};

// Test names and failure messages show the case by its name.
void PrintTo(const TypingCase& c, std::ostream* out) { *out << c.name; }

class EditExTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(EditExTyping, GroupsAndKeepsTheCaretFromTheEnd) {
    const TypingCase& c = GetParam();
    TEditEx edit;
    edit.setThousands(true);
    edit.setText(QString::fromUtf8(c.preset));
    edit.show();
    edit.setCursorPosition(c.caret);
    for (const char* k = c.keys; *k; ++k) {
        if (*k == '\b')
            QTest::keyClick(&edit, Qt::Key_Backspace);
        else if (*k == '\x7f')
            QTest::keyClick(&edit, Qt::Key_Delete);
        else
            QTest::keyClicks(&edit, QString(QLatin1Char(*k)));
    }
    EXPECT_EQ(edit.QLineEdit::text().toStdString(), c.shown);
    EXPECT_EQ(edit.Text().toStdString(), c.text);
    EXPECT_EQ(edit.QLineEdit::text().size() - edit.cursorPosition(), c.caretFromEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditExTyping,
    ::testing::Values(TypingCase{"FourDigits", "", 0, "1234", "1,234", "1234", 0},
                      TypingCase{"ThreeStayUngrouped", "", 0, "123", "123", "123", 0},
                      TypingCase{"Seven", "", 0, "1234567", "1,234,567", "1234567", 0},
                      TypingCase{"LettersGroupAlike", "", 0, "abcd", "a,bcd", "abcd", 0},
                      TypingCase{"InFrontOfSeparator", "1234", 1, "5", "15,234", "15234", 4},
                      TypingCase{"InsideAGroup", "1234", 3, "9", "12,934", "12934", 2},
                      TypingCase{"AtTheStart", "123", 0, "4", "4,123", "4123", 3},
                      TypingCase{"BackspaceUngroups", "1234", 5, "\b", "123", "123", 0},
                      TypingCase{"BackspaceOverSeparator", "1234567", 2, "\b", "234,567", "234567", 7},
                      TypingCase{"DeleteOverSeparator", "1234", 1, "\x7f", "134", "134", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditEx, WithoutThousandsTextIsTheShownText) {
    TEditEx edit;
    edit.setText(QStringLiteral("1,234"));
    EXPECT_EQ(edit.Text(), QStringLiteral("1,234"));
    edit.show();
    edit.setCursorPosition(5);
    QTest::keyClicks(&edit, QStringLiteral("5678"));
    EXPECT_EQ(edit.Text(), QStringLiteral("1,2345678"));
}

TEST(EditEx, SwitchingThousandsOnGroupsTheText) {
    TEditEx edit;
    edit.setText(QStringLiteral("12345"));
    edit.setThousands(true);
    EXPECT_EQ(edit.QLineEdit::text(), QStringLiteral("12,345"));
    EXPECT_EQ(edit.Text(), QStringLiteral("12345"));
}

TEST(EditEx, AlignmentReachesTheField) {
    TEditEx edit;
    EXPECT_EQ(edit.Alignment(), taLeftJustify);
    edit.setAlignment(taRightJustify);
    EXPECT_TRUE(edit.QLineEdit::alignment() & Qt::AlignRight);
    edit.setAlignment(taCenter);
    EXPECT_TRUE(edit.QLineEdit::alignment() & Qt::AlignHCenter);
}

TEST(ButtonEx, ModalResultSetsTheCaption) {
    const struct {
        int result;
        const char* caption;
    } cases[] = {{0, "前"},        {1, "OK"},        {2, "ｷｬﾝｾﾙ"},    {3, "中止(&A)"},
                 {4, "再試行(&R)"}, {5, "無視(&I)"},   {6, "はい(&Y)"}, {7, "いいえ(&N)"},
                 {8, "すべて"},     {9, "前"},        {-1, "前"}};
    for (const auto& c : cases) {
        TButtonEx button;
        button.setText(QString::fromUtf8("前"));
        button.setModalResult(c.result);
        EXPECT_EQ(button.text(), QString::fromUtf8(c.caption)) << c.result;
        EXPECT_EQ(button.ModalResult(), c.result);
    }
}

TEST(ButtonEx, OwnerDrawHandlerGetsTheContentRectangleAndState) {
    const struct {
        TButtonExStyle style;
        bool down;
        QRect content;
    } cases[] = {{bsOwnerDraw, false, QRect(0, 0, 80, 30)},
                 {bsOwnerDraw, true, QRect(0, 0, 80, 30)},
                 {bsOwnerDrawWithFrame, false, QRect(4, 4, 72, 22)},
                 {bsOwnerDrawWithFrame, true, QRect(5, 5, 71, 21)}};
    for (const auto& c : cases) {
        TButtonEx button;
        button.resize(80, 30);
        button.setSytle(c.style);
        button.setDown(c.down);
        int calls = 0;
        QRect seen;
        TOwnerDrawState state;
        button.OnDrawButton = [&](TButtonEx* control, QPainter&, const QRect& rect, TOwnerDrawState s) {
            EXPECT_EQ(control, &button);
            ++calls;
            seen = rect;
            state = s;
        };
        button.grab();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(seen, c.content) << c.style << " down " << c.down;
        EXPECT_EQ(state.selected, c.down);
    }
}

// The bounding box of the caption's dark pixels inside the face.
QRect inkBox(const QImage& image, const QRect& inside) {
    QRect box;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (QColor(image.pixel(x, y)).lightness() < 90) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(ButtonEx, FramedButtonWithoutHandlerCentresItsCaption) {
    TButtonEx button;
    button.resize(120, 40);
    button.setText(QStringLiteral("OK"));
    button.setSytle(bsOwnerDrawWithFrame);
    const QImage image = button.grab().toImage();
    const QRect ink = inkBox(image, QRect(6, 6, 108, 28));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.center().x(), 60, 3);
    EXPECT_NEAR(ink.center().y(), 20, 3);
    // The face is painted, not left to the standard button.
    EXPECT_EQ(QColor(image.pixel(12, 20)).lightness() > 150, true);
}

}  // namespace
}  // namespace kelmora
