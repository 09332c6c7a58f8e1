// The calendar as a resident program: one running copy, minimise and restore
// with the tray menu, the blink and the midnight watch.

#include <gtest/gtest.h>

#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUuid>

#include "CanvasEdit/TCanvasEdit.h"
#include "platform/colours.h"
#include "platform/owner_draw_grid.h"
#include "window_fixture.h"

namespace kelmora {
namespace {

using uitest::WindowHarness;

QString freshName() { return QStringLiteral("KelmoraTest-") + QUuid::createUuid().toString(QUuid::Id128); }

TEST(Resident, ASecondCopyIsRefusedAndTheFirstComesForward) {
    WindowHarness h(Date{2026, 12, 10});
    const QString name = freshName();
    WindowEnvironment env{h.folder.dir(), &h.clock, &h.dialogs, &h.files, QRect(0, 0, 1280, 1000), name};
    TForm1 first(env);
    first.show();
    first.showMinimized();
    QApplication::processEvents();
    ASSERT_TRUE(first.isMinimized());

    QProcess second;
    second.start(QStringLiteral(KELMORA_INSTANCE_PROBE), {name, QStringLiteral("check")});
    ASSERT_TRUE(second.waitForStarted(3000));
    // Serve the second copy's knock while it waits for its end.
    for (int i = 0; i < 300 && second.state() != QProcess::NotRunning; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        second.waitForFinished(10);
    }
    EXPECT_EQ(second.exitCode(), 1);  // a duplicate, ended
    for (int i = 0; i < 20 && first.isMinimized(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(first.isMinimized());
    EXPECT_TRUE(first.isVisible());
}

TEST(Resident, TheWindowOfASecondCopyOnlySaysSo) {
    const QString name = freshName();
    QProcess holder;
    holder.start(QStringLiteral(KELMORA_INSTANCE_PROBE), {name, QStringLiteral("hold")});
    ASSERT_TRUE(holder.waitForReadyRead(3000));
    ASSERT_TRUE(holder.readAll().contains("holding"));

    WindowHarness h(Date{2026, 12, 10});
    WindowEnvironment env{h.folder.dir(), &h.clock, &h.dialogs, &h.files, QRect(0, 0, 1280, 1000), name};
    TForm1 second(env);
    EXPECT_TRUE(second.isDuplicate());
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "既に起動しています");
    second.close();
    EXPECT_FALSE(std::filesystem::exists(h.folder.file("kelmora.ini")));  // it touched nothing
    holder.kill();
    holder.waitForFinished(3000);
}

TEST(Resident, MinimiseAndRestoreSwapTheTrayMenuItemsAndResetTheTools) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    EXPECT_FALSE(w.mnu_restore->isEnabled());
    EXPECT_TRUE(w.mnu_minimize->isEnabled());
    w.model.focusCol = 2;
    w.openEditor();
    w.holidayMarking = true;
    w.mnu_minimizeClick();
    QApplication::processEvents();
    EXPECT_TRUE(w.mnu_restore->isEnabled());
    EXPECT_FALSE(w.mnu_minimize->isEnabled());
    EXPECT_FALSE(w.holidayMarking);
    EXPECT_FALSE(w.editorShown());
    w.mnu_restoreClick();
    QApplication::processEvents();
    EXPECT_FALSE(w.isMinimized());
    EXPECT_FALSE(w.mnu_restore->isEnabled());
    EXPECT_TRUE(w.mnu_minimize->isEnabled());
}

TEST(Resident, TrayMenuItems) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    QStringList captions;
    for (QAction* a : w.TrayMenu->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{QStringLiteral("元のサイズに戻す"), QStringLiteral("最小化"), QStringLiteral("-"),
                                     QStringLiteral("終了")}));
}

TEST(Resident, TheTodayMarkMovesAtMidnightWhenNothingIsInHand) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    Qt::KeyboardModifiers held = Qt::NoModifier;
    w.keyboardModifiers = [&] { return held; };
    EXPECT_EQ(w.Timer2->interval(), 10000);
    h.clock.set(LocalTime{{2026, 12, 10}, 23, 58, 50});
    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), 10000);
    h.clock.set(LocalTime{{2026, 12, 10}, 23, 59, 0});
    w.Timer2Timer();
    EXPECT_EQ(w.Timer2->interval(), 1000);
    EXPECT_EQ(w.model.todayDay, 10);

    // After midnight the take-over waits while something is in hand.
    h.clock.set(LocalTime{{2026, 12, 11}, 0, 0, 1});
    struct Hold {
        const char* what;
        std::function<void()> take, release;
    };
    const Hold holds[] = {
        {"editor", [&] { w.openEditor(); }, [&] { w.hideEditor(); }},
        {"holiday tool", [&] { w.holidayMarking = true; }, [&] { w.holidayMarking = false; }},
        {"weekday tool", [&] { w.weekdayMarking = true; }, [&] { w.weekdayMarking = false; }},
        {"arrow tool", [&] { w.arrowTool.state = ArrowWaitingForFirst; }, [&] { w.arrowTool.state = ArrowIdle; }},
        {"Ctrl", [&] { held = Qt::ControlModifier; }, [&] { held = Qt::NoModifier; }},
    };
    for (const Hold& hold : holds) {
        hold.take();
        w.Timer2Timer();
        EXPECT_EQ(w.model.todayDay, 10) << hold.what;
        EXPECT_EQ(w.Timer2->interval(), 1000) << hold.what;
        hold.release();
    }
    w.Timer2Timer();
    EXPECT_EQ(w.model.todayDay, 11);
    EXPECT_EQ(w.Timer2->interval(), 10000);
    EXPECT_EQ(w.model.month, 12);  // the shown month stays
}

TEST(Resident, NewYearsEveMovesTodayIntoTheNextYear) {
    WindowHarness h(Date{2026, 12, 31});
    TForm1& w = h.open();
    w.keyboardModifiers = [] { return Qt::KeyboardModifiers(); };
    h.clock.set(LocalTime{{2027, 1, 1}, 0, 0, 5});
    w.Timer2Timer();
    EXPECT_EQ(w.model.todayYear, 2027);
    EXPECT_EQ(w.model.todayMonth, 1);
    EXPECT_EQ(w.model.todayDay, 1);
    w.mnuthismonClick();
    EXPECT_EQ(w.model.year, 2027);
    EXPECT_EQ(w.model.month, 1);
}

TEST(Resident, TheArrowStartCellBlinks) {
    WindowHarness h(Date{2026, 12, 10});
    TForm1& w = h.open();
    w.hideEditor();
    const QPoint inside = w.dg1->cellRect(3, 4).topLeft() + QPoint(50, 30);
    auto colourNow = [&] { return w.dg1->viewport()->grab().toImage().pixelColor(inside); };
    const QColor normal = colourNow();
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QTest::mouseClick(w.dg1->viewport(), Qt::LeftButton, Qt::NoModifier, inside);  // 9 December: the first day
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 500);
    EXPECT_TRUE(w.arrowBlink);
    EXPECT_EQ(colourNow(), toQColor(w.settings.arrowColour));
    w.Timer1Timer();
    EXPECT_FALSE(w.arrowBlink);
    EXPECT_EQ(colourNow(), normal);
    w.Timer1Timer();
    EXPECT_EQ(colourNow(), toQColor(w.settings.arrowColour));
    // Only in the month the start was chosen in.
    w.btnnextClick();
    w.Timer1Timer();
    EXPECT_NE(colourNow(), toQColor(w.settings.arrowColour));
}

}  // namespace
}  // namespace kelmora
