#include "platform/program_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <map>

namespace kelmora {
namespace {

void renderProgramIcon(QPainter& painter, const QRectF& target) {
    QSvgRenderer drawing(QStringLiteral(":/kelmora/kelmora.svg"));
    drawing.render(&painter, target);
}

// Draws the picture at a size when it is first asked for: the window, the
// tray and the about box each take the sizes they show, and the start does
// not wait for the others.
class ProgramIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        renderProgramIcon(*painter, rect);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::max(1, std::min(size.width(), size.height()));
        auto found = drawn_.find(side);
        if (found == drawn_.end()) found = drawn_.emplace(side, QPixmap::fromImage(programIconImage(side))).first;
        return found->second;
    }
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("kelmora-program-icon"); }

private:
    std::map<int, QPixmap> drawn_;
};

}  // namespace

QImage programIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderProgramIcon(painter, QRectF(0, 0, size, size));
    return image;
}

QIcon programIcon() { return QIcon(new ProgramIconEngine); }

}  // namespace kelmora
