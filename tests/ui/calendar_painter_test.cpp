// The calendar painter on its own, without a window: what a caller asks it
// to leave out (today's mark, the selection, the focus frame) stays out.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "main/calendar_painter.h"
#include "platform/colours.h"
#include "settei/settings.h"
#include "../core/built_month.h"

namespace kelmora {
namespace {

constexpr QRect kCell(0, 0, 100, 60);

QImage paint(const MonthModel& model, const CalendarPaintState& state, int col, int row) {
    const CalendarLook look = CalendarLook::from(defaultSettings(), 96);
    QImage image(kCell.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    CalendarPainter(model, look, state).paintCell(painter, col, row, kCell);
    return image;
}

TEST(CalendarPainter, LeavesOutWhatTheCallerTurnsOff) {
    MonthModel model = testing::built(2026, 12);
    model.setToday(Date{2026, 12, 10});
    int col = 0, week = 0;
    model.cellOfDay(10, col, week);
    model.memos[col][week].selected = 1;

    CalendarPaintState screen;
    screen.focusFrame = true;
    screen.focusCol = col;
    screen.focusRow = MonthModel::memoRow(week);
    screen.frameHalfWidth = 50;
    screen.frameHalfHeight = 30;
    CalendarPaintState paper;
    paper.todayMark = false;
    paper.selection = false;

    const QColor todayBlue(0, 0, 255), highlight = toQColor(kSystemHighlight), white(255, 255, 255);
    // Today's mark: an ellipse inscribed in the date cell, its leftmost point mid-height.
    EXPECT_EQ(paint(model, screen, col, MonthModel::dateRow(week)).pixelColor(1, 30), todayBlue);
    EXPECT_NE(paint(model, paper, col, MonthModel::dateRow(week)).pixelColor(1, 30), todayBlue);
    // The selection's highlight and the frame's corner (in the highlight's contrast).
    const QImage framed = paint(model, screen, col, MonthModel::memoRow(week));
    EXPECT_EQ(framed.pixelColor(50, 40), highlight);
    EXPECT_EQ(framed.pixelColor(1, 1), toQColor(contrastColour(kSystemHighlight)));
    const QImage plain = paint(model, paper, col, MonthModel::memoRow(week));
    EXPECT_EQ(plain.pixelColor(50, 40), white);
    EXPECT_EQ(plain.pixelColor(1, 1), white);
}

// The almanac beside the date: nothing changes while both items are off; on,
// 六曜 and the solar term take the far side of the cell, 春分の日 beside them.
TEST(CalendarPainter, AlmanacShowsOnlyWhenTicked) {
    const MonthModel model = testing::built(2026, 3);
    KoyomiCalendar calendar;
    CalendarPaintState plain, withAlmanac;
    withAlmanac.koyomi = calendar.month(2026, 3);
    Settings off = defaultSettings();
    Settings rokuyo = off, both = off;
    rokuyo.rokuyo = true;
    both.rokuyo = both.sekki = true;

    // A date cell wide enough for the number, 春分の日, 春分 and 先負.
    const auto dateCell = [&](int day, const CalendarPaintState& state, const Settings& s) {
        int col = kColumns - 1, week = model.weekRows;  // day 0: the last cell, a day of April
        if (day != 0) model.cellOfDay(day, col, week);
        QImage image(200, 20, QImage::Format_RGB32);
        QPainter painter(&image);
        CalendarPainter(model, CalendarLook::from(s, 96), state)
            .paintCell(painter, col, MonthModel::dateRow(week), QRect(0, 0, 200, 20));
        return image;
    };
    // Ink (anything but the cell's fill) in a band of columns.
    const auto inkIn = [](const QImage& image, int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) != image.pixel(0, 0)) return true;
        return false;
    };

    const QImage before = dateCell(20, plain, off);
    EXPECT_EQ(dateCell(20, withAlmanac, off), before);
    const QImage sixDays = dateCell(20, withAlmanac, rokuyo);
    const QImage all = dateCell(20, withAlmanac, both);
    EXPECT_NE(sixDays, before);
    EXPECT_NE(all, sixDays);
    // Without the almanac 春分の日 ends at the right edge; with it, 先負 does
    // and the name moves inwards.
    EXPECT_TRUE(inkIn(before, 180, 197));
    EXPECT_FALSE(inkIn(before, 60, 130));
    EXPECT_TRUE(inkIn(all, 180, 197));
    EXPECT_TRUE(inkIn(all, 60, 130));
    // A day of the next month gets none.
    EXPECT_EQ(dateCell(0, withAlmanac, both), dateCell(0, plain, off));
}

}  // namespace
}  // namespace kelmora
