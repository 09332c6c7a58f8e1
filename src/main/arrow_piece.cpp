#include "main/arrow_piece.h"

#include <QPainter>
#include <QPolygon>

namespace kelmora {

void drawArrowPiece(QPainter& p, ArrowMark kind, int L, int T, int R, int half, const QColor& colour) {
    if (kind != ArrowStart && kind != ArrowThrough && kind != ArrowEnd) return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, kArrowPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const int y = T + half;
    switch (kind) {
        case ArrowStart:  // head at the left, pointing back at the first day
            p.drawPolyline(QPolygon({{R, y}, {L + 5, y}, {L + 15, T + 3}}));
            p.drawLine(L + 5, y, L + 15, T + 2 * half - 3);
            break;
        case ArrowThrough:
            p.drawLine(R, y, L, y);
            break;
        case ArrowEnd:  // head at the right
            p.drawPolyline(QPolygon({{L, y}, {R - 5, y}, {R - 15, T + 3}}));
            p.drawLine(R - 5, y, R - 15, T + 2 * half - 3);
            break;
        default: break;
    }
    p.restore();
}

}  // namespace kelmora
