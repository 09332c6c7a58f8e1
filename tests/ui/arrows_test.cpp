// The arrow tool on the calendar window, driven by keys and clicks as a user
// drives it, with the month files on disk checked afterwards.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QTimer>
#include <set>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "main/tool_cursors.h"
#include "platform/colours.h"
#include "../core/arrow_digits.h"
#include "calendar_driving.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using testing::arrowDigits;
using testing::arrowDigitsOnDisk;
using testing::marked;
using uitest::clickCell;
using uitest::focusOf;
using uitest::memoAt;
using uitest::memoCellOfDay;
using uitest::pressKey;
using uitest::WindowHarness;

const std::string kDecember = marked(31, 28, "1222"), kJanuary = marked(31, 1, "223");

void pressTimes(TForm1& w, int key, int times) {
    for (int i = 0; i < times; ++i) pressKey(w, key);
}

void clickDay(TForm1& w, int day) {
    auto [col, row] = memoCellOfDay(w, day);
    clickCell(w, col, row);
}

void clickButton(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
}

void ctrl(TForm1& w, int key) { pressKey(w, key, Qt::ControlModifier); }

bool toolShownOff(TForm1& w) {
    return w.arrowTool.state == ArrowIdle && !w.tbyj->isChecked() && !w.mnuyj->isChecked() &&
           QApplication::overrideCursor() == nullptr && !w.Timer1->isActive();
}

bool toolShownOn(TForm1& w) {
    return w.arrowTool.state != ArrowIdle && w.tbyj->isChecked() && w.mnuyj->isChecked() &&
           QApplication::overrideCursor() &&
           QApplication::overrideCursor()->pixmap().toImage() == toolCursor(ToolCursor::Range).pixmap().toImage();
}

TEST(ArrowToolWindow, KeysLayAnArrowFromDecemberIntoJanuary) {
    WindowHarness h(Date{2024, 12, 10});  // 1 December 2024 is a Sunday
    TForm1& w = h.open();
    if (!w.settings.focusFrame) w.mnufocusClick();
    ASSERT_EQ(focusOf(w), std::make_pair(2, 4));  // today
    pressKey(w, Qt::Key_Return);
    uitest::commitText(w.memo1, QStringLiteral("出発"));
    ctrl(w, Qt::Key_Y);
    EXPECT_TRUE(toolShownOn(w));
    pressTimes(w, Qt::Key_Down, 2);
    pressTimes(w, Qt::Key_Right, 4);  // Saturday 28 December
    pressKey(w, Qt::Key_Return);
    EXPECT_EQ(w.arrowTool.state, ArrowWaitingForLast);
    EXPECT_TRUE(w.Timer1->isActive());
    // While the tool waits for the last day, idle moments save nothing.
    w.idleSaveTimerTimer();
    EXPECT_FALSE(h.folder.has("202412.wmd"));
    // On past the month's last cell into January, to Friday the 3rd.
    pressTimes(w, Qt::Key_Right, 8);
    ASSERT_EQ(w.model.month, 1);
    pressTimes(w, Qt::Key_Right, 5);
    h.files.resetCounts();
    pressKey(w, Qt::Key_Space);

    EXPECT_TRUE(toolShownOff(w));
    // Each month's half is written once, as its month is left.
    EXPECT_EQ(h.files.replaces["202412.wmd"], 1);
    EXPECT_EQ(h.files.replaces["202501.wmd"], 1);
    EXPECT_EQ(w.model.year, 2025);
    EXPECT_EQ(w.model.month, 1);
    EXPECT_EQ(focusOf(w), memoCellOfDay(w, 3));
    EXPECT_EQ(arrowDigits(w.model), kJanuary);
    EXPECT_TRUE(w.model.dirty);
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2024, 12), kDecember);
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2025, 1), kJanuary);
    EXPECT_NE(h.folder.get("202412.wmd").find(cp932::literal("出発")), std::string::npos);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(ArrowToolWindow, ClicksLayTheSameArrowLastDayFirstAndStayInTheMonthOfTheLastClick) {
    WindowHarness h(Date{2024, 12, 10});
    TForm1& w = h.open();
    clickDay(w, 20);  // the editor is open: the tool closes it
    ASSERT_TRUE(w.editorShown());
    ctrl(w, Qt::Key_Y);
    EXPECT_FALSE(w.editorShown());
    clickButton(w.btnnext);
    clickDay(w, 3);
    clickButton(w.btnprev);
    clickDay(w, 28);
    EXPECT_TRUE(toolShownOff(w));
    EXPECT_EQ(w.model.month, 12);
    EXPECT_EQ(focusOf(w), memoCellOfDay(w, 28));
    EXPECT_EQ(arrowDigits(w.model), kDecember);
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2024, 12), kDecember);
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2025, 1), kJanuary);
}

TEST(ArrowToolWindow, RefusedClicksSayWhyAndPutTheToolAway) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> clicks;  // (column, memo row) in December 2024
        const char* message;                      // none: the tool still waits
    };
    // An arrow lies on 10-12 December (Tuesday to Thursday of week 2).
    const Case cases[] = {
        {"first day beside the month", {{5, 10}}, "矢印は隣接月部には引けません"},
        {"last day beside the month", {{0, 4}, {4, 10}}, "矢印は隣接月部には引けません"},
        {"first day on an arrow", {{3, 4}}, "矢印は２重には引けません"},
        {"last day on an arrow", {{0, 4}, {4, 4}}, "矢印は２重には引けません"},
        {"the same day twice", {{0, 4}, {0, 4}}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h(Date{2024, 12, 10});
        TForm1& w = h.open();
        ctrl(w, Qt::Key_Y);
        clickDay(w, 10);
        clickDay(w, 12);
        for (auto [col, row] : c.clicks) {
            if (!w.arrowTool.busy()) ctrl(w, Qt::Key_Y);
            clickCell(w, col, row);
        }
        if (c.message) {
            EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{c.message});
            EXPECT_TRUE(toolShownOff(w));
        } else {
            EXPECT_TRUE(h.dialogs.messages.empty());
            EXPECT_EQ(w.arrowTool.state, ArrowWaitingForLast);
            EXPECT_TRUE(w.Timer1->isActive());
        }
        EXPECT_EQ(arrowDigits(w.model), marked(31, 10, "123"));
    }
}

TEST(ArrowToolWindow, ThreeMonthsAreRefusedAfterTheLastClick) {
    WindowHarness h(Date{2025, 1, 10});
    TForm1& w = h.open();
    clickButton(w.ToolBar1->widgetForAction(w.tbyj));
    clickDay(w, 10);
    clickButton(w.btnnext);
    clickButton(w.btnnext);
    clickDay(w, 5);
    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"３ヶ月以上の矢印は引けません"});
    EXPECT_TRUE(toolShownOff(w));
    EXPECT_EQ(w.model.month, 3);
    EXPECT_EQ(arrowDigits(w.model), marked(31));
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2025, 1), marked(31));
}

TEST(ArrowToolWindow, ArmingAgainTheMarkingToolsAndEscapePutItAway) {
    WindowHarness h(Date{2024, 12, 10});
    TForm1& w = h.open();
    ctrl(w, Qt::Key_H);
    ASSERT_TRUE(w.holidayMarking);
    ctrl(w, Qt::Key_Y);
    EXPECT_FALSE(w.holidayMarking || w.tbholiday->isChecked() || w.mnuholi->isChecked());
    EXPECT_TRUE(toolShownOn(w));
    clickButton(w.ToolBar1->widgetForAction(w.tbyj));
    EXPECT_TRUE(toolShownOff(w));

    // A marking tool, Escape and a click beside the grid each end the wait.
    const std::function<void()> endings[] = {
        [&] { ctrl(w, Qt::Key_W); },
        [&] { pressKey(w, Qt::Key_Escape); },
        [&] { QTest::mouseClick(w.centralWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(3, w.gridTop() - 3)); },
    };
    for (const auto& end : endings) {
        ctrl(w, Qt::Key_Y);
        clickDay(w, 3);
        ASSERT_TRUE(w.Timer1->isActive());
        end();
        EXPECT_EQ(w.arrowTool.state, ArrowIdle);
        EXPECT_FALSE(w.tbyj->isChecked() || w.mnuyj->isChecked() || w.Timer1->isActive());
        if (w.weekdayMarking) pressKey(w, Qt::Key_Escape);
    }
    EXPECT_TRUE(h.dialogs.messages.empty());  // Escape put the tool away without asking to quit
    EXPECT_EQ(arrowDigits(w.model), marked(31));
}

TEST(ArrowToolWindow, CtrlQDeletesBothHalvesFromAMiddleDayAndWritingGoesOn) {
    WindowHarness h(Date{2024, 12, 10});
    TForm1& w = h.open();
    ctrl(w, Qt::Key_Y);
    clickDay(w, 28);
    clickButton(w.btnnext);
    clickDay(w, 3);
    ctrl(w, Qt::Key_Y);
    clickDay(w, 20);  // an arrow of its own in January
    clickDay(w, 22);

    // The editor's menu ends with the deletion, offered on a day with an arrow.
    QStringList captions;
    for (QAction* a : w.PopupMenu2->actions()) captions << (a->isSeparator() ? QStringLiteral("|") : a->text());
    EXPECT_EQ(captions.mid(captions.size() - 3).join(QLatin1Char(',')).toStdString(), "|,メモ消去,矢印削除...");
    EXPECT_EQ(w.mnudel_yj->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    clickDay(w, 2);
    w.PopupMenu2Popup();
    EXPECT_TRUE(w.mnudel_yj->isEnabled());
    uitest::commitText(w.memo1, QStringLiteral("旅行"));

    h.dialogs.answers = {Answer::Cancel};
    ctrl(w, Qt::Key_Q);
    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"この矢印を削除します\r\nよろしいですか？"});
    EXPECT_EQ(arrowDigits(w.model), kJanuary.substr(0, 19) + "123" + kJanuary.substr(22));

    ctrl(w, Qt::Key_Q);
    EXPECT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_EQ(w.model.month, 1);
    EXPECT_EQ(focusOf(w), memoCellOfDay(w, 2));
    EXPECT_TRUE(w.editorShown());
    EXPECT_EQ(w.memo1->toPlainText(), QStringLiteral("旅行"));
    EXPECT_EQ(arrowDigits(w.model), marked(31, 20, "123"));
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2024, 12), marked(31));
    EXPECT_EQ(arrowDigitsOnDisk(h.folder.dir(), 2025, 1), marked(31, 20, "123"));

    // No arrow left on the day: the menu offers nothing and the key does nothing.
    w.PopupMenu2Popup();
    EXPECT_FALSE(w.mnudel_yj->isEnabled());
    Q_EMIT w.PopupMenu2->aboutToHide();
    ctrl(w, Qt::Key_Q);
    EXPECT_EQ(h.dialogs.messages.size(), 2u);
    // The key still works on the next day with an arrow.
    clickDay(w, 21);
    ctrl(w, Qt::Key_Q);
    EXPECT_EQ(h.dialogs.messages.size(), 3u);
    EXPECT_EQ(arrowDigits(w.model), marked(31));
}

// Month files of one name cannot be created.
class RefusingFiles : public RealFileSystem {
public:
    std::string refused;
    WriteResult replaceFile(const std::string& path, std::string_view bytes) override {
        if (!refused.empty() && path.ends_with(refused)) return {WriteStatus::CannotCreate, {FileProblem::NoPermission}};
        return RealFileSystem::replaceFile(path, bytes);
    }
};

TEST(ArrowToolWindow, AMonthThatCannotBeSavedKeepsWhatWasLaidAndSaysSo) {
    RefusingFiles files;
    FixedClock clock(Date{2024, 12, 10});
    uitest::ScriptedDialogs dialogs;
    uitest::TempFolder folder;
    TForm1 w(WindowEnvironment{folder.dir(), &clock, &dialogs, &files, QRect(0, 0, 1280, 1000), QString()});
    w.show();
    QApplication::processEvents();
    files.refused = "202412.wmd";
    ctrl(w, Qt::Key_Y);
    clickDay(w, 28);
    clickButton(w.btnnext);
    clickDay(w, 3);

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].starts_with("メモデータ書き込みエラー")) << dialogs.messages[0];
    EXPECT_NE(dialogs.messages[0].find("202412.wmd」に書き込めません"), std::string::npos) << dialogs.messages[0];
    EXPECT_EQ(dialogs.messages[1], "矢印の前月の部分を引けませんでした。\r\n引けたのはこの月の部分だけです。");
    EXPECT_TRUE(toolShownOff(w));
    EXPECT_EQ(w.model.month, 1);
    EXPECT_TRUE(w.model.dirty);
    EXPECT_EQ(arrowDigits(w.model), kJanuary);
    EXPECT_EQ(arrowDigitsOnDisk(folder.dir(), 2025, 1), kJanuary);
    EXPECT_EQ(arrowDigitsOnDisk(folder.dir(), 2024, 12), marked(31));
}

// The editor draws a cell's arrow over its text exactly where the grid does.
TEST(ArrowToolWindow, TheEditorDrawsTheArrowWhereTheGridDoes) {
    WindowHarness h(Date{2024, 12, 10});
    TForm1& w = h.open();
    const QColor arrow = toQColor(w.settings.arrowColour);
    const auto arrowPixels = [&](const QImage& image, QPoint origin, QSize size) {
        std::set<std::pair<int, int>> pixels;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (image.pixelColor(origin + QPoint(x, y)) == arrow) pixels.insert({x, y});
        return pixels;
    };
    for (ArrowMark kind : {ArrowStart, ArrowThrough, ArrowEnd}) {
        SCOPED_TRACE(int{kind});
        auto [col, row] = memoCellOfDay(w, 18);
        memoAt(w, col, row).arrow = kind;
        memoAt(w, col, row).text = cp932::literal("会議");
        w.hideEditor();
        w.dg1->viewport()->repaint();
        const QRect cell = w.dg1->cellRect(col, row);
        const auto inGrid = arrowPixels(w.dg1->viewport()->grab().toImage(), cell.topLeft(), cell.size());
        clickCell(w, col, row);
        ASSERT_TRUE(w.editorShown());
        w.memo1->repaint();
        const auto inEditor = arrowPixels(w.memo1->grab().toImage(), QPoint(0, 0), cell.size());
        EXPECT_GT(inGrid.size(), 100u);
        EXPECT_EQ(inEditor, inGrid);
    }
}

}  // namespace
}  // namespace kelmora
