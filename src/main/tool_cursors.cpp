#include "main/tool_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kelmora {
namespace {

constexpr int kSize = 32;

// A stamp seen from the side: a round handle, a neck, and a wide face in the
// stamp's ink colour. The hot spot is the centre, where the stamp comes down.
QCursor stampCursor(const QColor& ink) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(150, 100, 50));
    p.drawEllipse(QRectF(10.5, 1.5, 11, 9));    // handle
    p.drawRect(QRectF(13.5, 10.5, 5, 8));       // neck
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(4.5, 18.5, 23, 8), 2, 2);  // face
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(6, 29.5), QPointF(26, 29.5));    // the print below it
    p.end();
    return QCursor(pixmap, 16, 16);
}

// An arrow pointer with a double-headed span mark at its lower right; the
// hot spot is the pointer's tip.
QCursor rangeCursor() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath pointer;
    pointer.moveTo(0.5, 0.5);
    pointer.lineTo(0.5, 17);
    pointer.lineTo(4.5, 13);
    pointer.lineTo(7.5, 19.5);
    pointer.lineTo(10, 18.5);
    pointer.lineTo(7, 12);
    pointer.lineTo(12.5, 12);
    pointer.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(pointer);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(13, 25), QPointF(29, 25));
    p.drawPolyline(QPolygonF({{17, 21}, {13, 25}, {17, 29}}));
    p.drawPolyline(QPolygonF({{25, 21}, {29, 25}, {25, 29}}));
    p.end();
    return QCursor(pixmap, 0, 0);
}

}  // namespace

const QCursor& toolCursor(ToolCursor which) {
    static const QCursor holiday = stampCursor(QColor(220, 0, 0));
    static const QCursor weekday = stampCursor(QColor(0, 60, 220));
    static const QCursor range = rangeCursor();
    switch (which) {
        case ToolCursor::Holiday: return holiday;
        case ToolCursor::Weekday: return weekday;
        case ToolCursor::Range: break;
    }
    return range;
}

}  // namespace kelmora
