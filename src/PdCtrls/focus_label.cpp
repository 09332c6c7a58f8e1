#include "PdCtrls/focus_label.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelmora {

TFocusLabel::TFocusLabel(QWidget* parent) : TCustomFastLabel(parent) {
    setMouseTracking(true);
    computeTextRect();
}

void TFocusLabel::setFocusble(bool on) {
    focusble_ = on;
    if (!on && hovered_) leaveHover();
}

QFont TFocusLabel::FontFocused() const {
    if (focusedFontSet_) return focusedFont_;
    QFont underlined = font();
    underlined.setUnderline(true);
    return underlined;
}

void TFocusLabel::setFontFocused(const QFont& font, const QColor& color) {
    focusedFont_ = font;
    focusedColor_ = color;
    focusedFontSet_ = true;
    invalidate();
}

void TFocusLabel::setImages(const TImageList* images) {
    images_ = images;
    contentChanged();
}

void TFocusLabel::setImageIndex(int index) {
    imageIndex_ = index;
    contentChanged();
}

void TFocusLabel::setSpacing(int pixels) {
    spacing_ = pixels;
    contentChanged();
}

void TFocusLabel::setAlignment(TAlignment alignment) {
    alignment_ = alignment;
    contentChanged();
}

bool TFocusLabel::hasPicture() const { return images_ && imageIndex_ >= 0; }

int TFocusLabel::pictureRoom() const { return hasPicture() ? images_->Width() + spacing_ : 0; }

QSize TFocusLabel::contentSize() const {
    const QSize text = TCustomFastLabel::contentSize();
    const int pictureHeight = hasPicture() ? images_->Height() : 0;
    return {text.width() + pictureRoom(), qMax(text.height(), pictureHeight)};
}

void TFocusLabel::contentChanged() {
    TCustomFastLabel::contentChanged();  // may resize, which recomputes too
    computeTextRect();
    invalidate();
}

void TFocusLabel::resizeEvent(QResizeEvent* event) {
    computeTextRect();
    TCustomFastLabel::resizeEvent(event);
}

void TFocusLabel::computeTextRect() {
    // Measured in the normal font: the hover font may be larger, but the hot
    // area stays where the text is at rest.
    const QFontMetrics metrics(font());
    const int cx = metrics.horizontalAdvance(Caption());
    const int cy = metrics.height();
    const int d = pictureRoom();
    int left = 0;
    switch (alignment_) {
        case taLeftJustify: left = d; break;
        case taRightJustify: left = width() - cx; break;
        // The picture and the text are centred together, the text after the picture.
        case taCenter: left = (width() - cx - d) / 2 + d; break;
    }
    textRect_ = QRect(left, (height() - cy) / 2, cx, cy);
}

void TFocusLabel::mouseMoveEvent(QMouseEvent* event) {
    lastPointer_ = event->position().toPoint();
    if (focusble_) {
        const bool over = textRect_.contains(lastPointer_);
        if (over && !hovered_)
            enterHover();
        else if (!over && hovered_)
            leaveHover();
    }
    TCustomFastLabel::mouseMoveEvent(event);
}

void TFocusLabel::leaveEvent(QEvent* event) {
    lastPointer_ = QPoint(-1, -1);
    if (hovered_) leaveHover();
    TCustomFastLabel::leaveEvent(event);
}

void TFocusLabel::enterHover() {
    // One hot link per parent: the siblings let go first.
    if (QWidget* parent = parentWidget()) {
        for (TFocusLabel* sibling : parent->findChildren<TFocusLabel*>(Qt::FindDirectChildrenOnly))
            if (sibling != this && sibling->hovered()) sibling->leaveHover();
    }
    hovered_ = true;
    hadCursor_ = testAttribute(Qt::WA_SetCursor);
    savedCursor_ = cursor();
    setCursor(Qt::PointingHandCursor);
    invalidate();
    emit OnEnter();
}

void TFocusLabel::leaveHover() {
    if (!hovered_) return;
    hovered_ = false;
    if (hadCursor_)
        setCursor(savedCursor_);
    else
        unsetCursor();
    invalidate();
    emit OnExit();
}

void TFocusLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The pointer may have left the text without a move reaching us yet.
    const bool hot = hovered_ && textRect_.contains(lastPointer_);
    if (!Transparent()) painter.fillRect(rect(), Color());
    painter.setFont(hot ? FontFocused() : font());
    painter.setPen(hot ? focusedColor_ : FontColor());
    const QRect room(textRect_.topLeft(), QSize(width() + textRect_.width(), height() + textRect_.height()));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Caption());
    if (hasPicture()) {
        const QPixmap picture = images_->at(imageIndex_);
        painter.drawPixmap(textRect_.left() - images_->Width() - spacing_, textRect_.top() - 1, picture);
    }
}

}  // namespace kelmora
