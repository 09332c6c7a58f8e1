#include "prnset/month_page.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "main/calendar_painter.h"
#include "platform/colours.h"
#include "platform/owner_draw_grid.h"

namespace kelmora {
namespace {

constexpr qreal kTitleScale = 1.5;
// The picture is drawn as densely as the surface takes it, up to this many
// pixels per inch (sharper than the eye reads on paper); a picture that
// would be enormous (a month of very tall rows) stays under the pixel budget.
constexpr int kMostPaperDensity = 600;
constexpr qreal kPixelBudget = 48e6;

int titlePointSize(const CalendarLook& look) {
    return static_cast<int>(std::lround(look.settings.title.size * kTitleScale));
}

int titleBandHeight(const CalendarLook& look) { return titlePointSize(look) * look.ppi / 72 + 10; }

int gridWidth(const OwnerDrawGrid& grid) { return kColumns * grid.defaultColWidth() + 10; }

// How many of the picture's pixels go to one of the screen's: the surface's
// own density, with the ceiling and the budget above.
qreal pictureRatio(const PrintPlacement& at, const QSize& size, int pixelsPerInch) {
    qreal ratio = static_cast<qreal>(at.width) / size.width();
    if (pixelsPerInch > kMostPaperDensity) ratio *= static_cast<qreal>(kMostPaperDensity) / pixelsPerInch;
    const qreal pixels = ratio * ratio * size.width() * size.height();
    if (pixels > kPixelBudget) ratio *= std::sqrt(kPixelBudget / pixels);
    return std::max<qreal>(ratio, 0.01);
}

}  // namespace

QSize monthPictureSize(const MonthPageSource& source) {
    return QSize(gridWidth(source.grid), source.grid.totalHeight() + titleBandHeight(source.look));
}

QImage renderMonthImage(const MonthPageSource& source, qreal scale) {
    const QSize size = monthPictureSize(source);
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_RGB32);
    // Fonts given in points come out as large as on the screen.
    const int dotsPerMeter = static_cast<int>(std::lround(source.look.ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);

    QPainter painter(&image);
    // Laid out in the screen's pixels, drawn at the picture's density.
    painter.scale(scale, scale);
    const CalendarLook& look = source.look;
    QFont title = titleFontOf(look.settings.title);
    title.setPointSize(std::max(1, titlePointSize(look)));
    painter.setFont(title);
    painter.setPen(toQColor(look.settings.title.colour));
    const int x = (gridWidth(source.grid) - static_cast<int>(std::lround(source.titleWidth * kTitleScale))) / 2;
    painter.drawText(QRect(x, 0, size.width(), titleBandHeight(look)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     source.title);

    CalendarPaintState paper;
    paper.todayMark = false;
    paper.selection = false;
    paper.koyomi = source.koyomi;
    const CalendarPainter cells(source.model, look, paper);
    painter.translate(0, titleBandHeight(look));
    source.grid.paintAll(painter, [&cells](QPainter& p, int col, int row, const QRect& rect) {
        cells.paintCell(p, col, row, rect);
    });
    return image;
}

MonthPagePicture monthPagePicture(int pixelsPerInch, const PrintableArea& area, const PrintMargins& margins,
                                  const MonthPageSource& source) {
    MonthPagePicture picture;
    picture.pixelsPerInch = pixelsPerInch;
    const QSize size = monthPictureSize(source);
    picture.at = placeMonthPicture(area, margins, size.width(), size.height(), pixelsPerInch);
    if (!picture.at.empty()) picture.image = renderMonthImage(source, pictureRatio(picture.at, size, pixelsPerInch));
    return picture;
}

void drawMonthPicture(QPainter& canvas, const MonthPagePicture& picture) {
    if (picture.at.empty()) return;
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform);
    // Text and lines stay crisp in a PDF: no lossy compression of the picture.
    canvas.setRenderHint(QPainter::LosslessImageRendering);
    canvas.drawImage(QRect(picture.at.x, picture.at.y, picture.at.width, picture.at.height), picture.image);
    canvas.restore();
}

void printMonth(QPainter& canvas, int pixelsPerInch, const PrintableArea& area, const PrintMargins& margins,
                const MonthPageSource& source) {
    drawMonthPicture(canvas, monthPagePicture(pixelsPerInch, area, margins, source));
}

PrintableArea printableAreaOf(const QPrinter& printer) {
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    return {static_cast<int>(std::lround(page.width())), static_cast<int>(std::lround(page.height())),
            printer.resolution()};
}

}  // namespace kelmora
