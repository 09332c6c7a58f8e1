#include "PdCtrls/fast_label.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelmora {

TCustomFastLabel::TCustomFastLabel(QWidget* parent) : QWidget(parent) {
    color_ = palette().color(QPalette::Window);
}

void TCustomFastLabel::setCaption(const QString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    contentChanged();
}

void TCustomFastLabel::setColor(const QColor& color) {
    color_ = color;
    invalidate();
}

void TCustomFastLabel::setTransparent(bool on) {
    transparent_ = on;
    invalidate();
}

void TCustomFastLabel::setFontColor(const QColor& color) {
    fontColor_ = color;
    invalidate();
}

void TCustomFastLabel::setAutoSize(bool on) {
    autoSize_ = on;
    contentChanged();
}

void TCustomFastLabel::setNoFlicker(bool on) {
    noFlicker_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, on && !transparent_);
}

void TCustomFastLabel::invalidate() {
    if (noFlicker_ && isVisible())
        repaint();
    else
        update();
}

void TCustomFastLabel::contentChanged() {
    if (autoSize_) resize(contentSize());
    invalidate();
}

QSize TCustomFastLabel::contentSize() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(caption_), metrics.height()};
}

void TCustomFastLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) contentChanged();
    QWidget::changeEvent(event);
}

void TCustomFastLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit OnClick();
    QWidget::mouseReleaseEvent(event);
}

void TCustomFastLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) painter.fillRect(rect(), color_);
    painter.setPen(fontColor_);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
}

}  // namespace kelmora
