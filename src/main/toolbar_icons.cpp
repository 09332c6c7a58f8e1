#include "main/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>

namespace kelmora {
namespace {

// A small calendar leaf: a red band on top of a white page.
void leaf(QPainter& p) {
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(0xD0, 0x30, 0x30));
}

void drawIcon(QPainter& p, ToolbarIcon which) {
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont small = p.font();
    small.setPixelSize(7);
    small.setBold(true);
    switch (which) {
        case ToolbarIcon::ThisMonth:
            leaf(p);
            p.fillRect(6, 8, 4, 4, QColor(0x20, 0x50, 0xC0));
            break;
        case ToolbarIcon::Jump:
            leaf(p);
            p.setPen(QPen(QColor(0x20, 0x80, 0x20), 2));
            p.drawLine(4, 10, 11, 10);
            p.drawLine(9, 8, 11, 10);
            p.drawLine(9, 12, 11, 10);
            break;
        case ToolbarIcon::Print:
        case ToolbarIcon::Preview:
            p.setPen(QColor(0x40, 0x40, 0x40));
            p.setBrush(QColor(0xD8, 0xD8, 0xD8));
            p.drawRect(1, 6, 13, 6);
            p.setBrush(Qt::white);
            p.drawRect(4, 1, 7, 5);
            if (which == ToolbarIcon::Preview) {
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(0x20, 0x50, 0xC0), 2));
                p.drawEllipse(7, 7, 5, 5);
                p.drawLine(12, 12, 14, 14);
            }
            break;
        case ToolbarIcon::Cut:
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
            p.drawLine(4, 1, 10, 10);
            p.drawLine(11, 1, 5, 10);
            p.drawEllipse(2, 10, 4, 4);
            p.drawEllipse(9, 10, 4, 4);
            break;
        case ToolbarIcon::Copy:
            p.setPen(QColor(0x40, 0x40, 0x40));
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 8, 10);
            p.drawRect(6, 4, 8, 10);
            break;
        case ToolbarIcon::Paste:
            p.setPen(QColor(0x40, 0x40, 0x40));
            p.setBrush(QColor(0xC8, 0x96, 0x50));
            p.drawRect(2, 2, 10, 12);
            p.setBrush(Qt::white);
            p.drawRect(6, 6, 8, 9);
            break;
        case ToolbarIcon::Holiday:
        case ToolbarIcon::Weekday: {
            const QColor ink = which == ToolbarIcon::Holiday ? QColor(0xD0, 0x20, 0x20) : QColor(0x20, 0x40, 0xD0);
            p.setPen(QPen(ink, 2));
            p.setBrush(Qt::white);
            p.drawEllipse(2, 2, 11, 11);
            p.setFont(small);
            p.drawText(QRect(2, 2, 12, 12), Qt::AlignCenter,
                       which == ToolbarIcon::Holiday ? QStringLiteral("休") : QStringLiteral("平"));
            break;
        }
        case ToolbarIcon::Arrow:
            p.setPen(QPen(QColor(0x20, 0x90, 0x20), 2));
            p.drawLine(2, 8, 14, 8);
            p.drawLine(2, 8, 6, 4);
            p.drawLine(2, 8, 6, 12);
            p.drawLine(14, 8, 10, 4);
            p.drawLine(14, 8, 10, 12);
            break;
    }
}

}  // namespace

QIcon toolbarIcon(ToolbarIcon which) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawIcon(painter, which);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace kelmora
