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

}  // namespace
}  // namespace kelmora
