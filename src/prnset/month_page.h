#pragma once
// The month as it goes on paper: the title at one and a half times its size
// above the grid as the screen lays it out (the same row heights, the same
// line breaks), without today's mark, the focus frame or the selection.
// Printing, the preview and the PDF all draw the page through here.

#include <QImage>
#include <QSize>
#include <QString>

#include "main/calendar_look.h"
#include "main/koyomi.h"
#include "main/month_model.h"
#include "prnset/print_placement.h"

class QPainter;
class QPrinter;

namespace kelmora {

class OwnerDrawGrid;

struct MonthPageSource {
    const MonthModel& model;
    const CalendarLook& look;
    const OwnerDrawGrid& grid;  // the row heights and column width of the screen
    QString title;              // "2026年12月"
    int titleWidth = 0;         // the title's width on screen, in pixels
    const MonthKoyomi* koyomi = nullptr;  // the almanac, as the screen shows it
};

// The picture's size in the screen's pixels.
QSize monthPictureSize(const MonthPageSource& source);

// The picture drawn `scale` times as dense as the screen: the same layout
// and line breaks at any density.
QImage renderMonthImage(const MonthPageSource& source, qreal scale);

// The picture placed on a surface of `pixelsPerInch` whose origin is the
// top-left corner of the printable area, within the margins; kept by the
// preview, which draws it again at every paint of the same zoom.
struct MonthPagePicture {
    int pixelsPerInch = 0;
    PrintPlacement at;
    QImage image;
};
MonthPagePicture monthPagePicture(int pixelsPerInch, const PrintableArea& area, const PrintMargins& margins,
                                  const MonthPageSource& source);
void drawMonthPicture(QPainter& canvas, const MonthPagePicture& picture);

// Both at once: the month drawn onto such a surface.
void printMonth(QPainter& canvas, int pixelsPerInch, const PrintableArea& area, const PrintMargins& margins,
                const MonthPageSource& source);

// The printable area of the printer's page, in its own pixels.
PrintableArea printableAreaOf(const QPrinter& printer);

}  // namespace kelmora
