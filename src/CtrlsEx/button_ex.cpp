#include "CtrlsEx/button_ex.h"

#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace kelmora {

QString captionForModalResult(int result) {
    static const char* const captions[] = {"OK",      "ｷｬﾝｾﾙ",   "中止(&A)",   "再試行(&R)",
                                           "無視(&I)", "はい(&Y)", "いいえ(&N)", "すべて"};
    if (result < 1 || result > 8) return {};
    return QString::fromUtf8(captions[result - 1]);
}

TButtonEx::TButtonEx(QWidget* parent) : QPushButton(parent) {}

void TButtonEx::setModalResult(int result) {
    modalResult_ = result;
    const QString caption = captionForModalResult(result);
    if (!caption.isEmpty()) setText(caption);
}

void TButtonEx::setSytle(TButtonExStyle style) {
    if (style_ == style) return;
    style_ = style;
    update();
}

TOwnerDrawState TButtonEx::drawState() const {
    TOwnerDrawState state;
    state.selected = isDown();
    state.focused = hasFocus();
    state.disabled = !isEnabled();
    state.defaultLook = isDefault() || (autoDefault() && hasFocus());
    return state;
}

void TButtonEx::paintEvent(QPaintEvent* event) {
    if (style_ == bsStandard) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    const TOwnerDrawState state = drawState();
    QRect content = rect();
    drawFace(painter, content, state);
    if (OnDrawButton) {
        painter.save();
        OnDrawButton(this, painter, content, state);
        painter.restore();
        return;
    }
    drawCaption(painter, content);
}

void TButtonEx::drawFace(QPainter& painter, QRect& content, const TOwnerDrawState& state) {
    const QColor face = palette().color(QPalette::Button);
    if (style_ == bsOwnerDraw) {
        painter.fillRect(content, face);
        return;
    }
    painter.fillRect(content, face);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= state.selected ? QStyle::State_Sunken : QStyle::State_Raised;
    if (state.defaultLook) option.features |= QStyleOptionButton::DefaultButton;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    content.adjust(4, 4, -4, -4);
    if (state.focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = content;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    if (state.selected) content.adjust(1, 1, 0, 0);
}

void TButtonEx::drawCaption(QPainter& painter, const QRect& content) {
    const int flags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic;
    const QRect room = content.adjusted(0, 0, -2, -2);
    const QRect measured = painter.boundingRect(room, flags | Qt::AlignLeft | Qt::AlignTop, text());
    // Centre the measured block in the content rectangle.
    const int dx = (content.width() - measured.width()) / 2;
    const int dy = (content.height() - measured.height()) / 2;
    const QRect place(content.left() + dx, content.top() + dy, measured.width(), measured.height());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(place, flags | Qt::AlignLeft | Qt::AlignTop, text());
}

QPushButton* glyphButton(int modalResult, QWidget* parent) {
    const QStyle::StandardPixmap glyph =
        modalResult == 1 ? QStyle::SP_DialogOkButton : QStyle::SP_DialogCancelButton;
    return new QPushButton(parent->style()->standardIcon(glyph), captionForModalResult(modalResult), parent);
}

}  // namespace kelmora
