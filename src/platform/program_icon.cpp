#include "platform/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kelmora {

QImage programIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer drawing(QStringLiteral(":/kelmora/kelmora.svg"));
    QPainter painter(&image);
    drawing.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

}  // namespace kelmora
