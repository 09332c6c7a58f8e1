#include "CanvasEdit/TCanvasEdit.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include "platform/text_layout.h"

namespace kelmora {

TCanvasEdit::TCanvasEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(MemoTextLayout::option().wrapMode());
    document()->setDocumentMargin(0);
    setTabChangesFocus(false);
}

void TCanvasEdit::setTextMargins(int left, int top, int right) { setViewportMargins(left, top, right, 0); }

int TCanvasEdit::textWidth() const { return viewport()->width(); }

int TCanvasEdit::lineCount() const {
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += block.layout() ? std::max(1, block.layout()->lineCount()) : 1;
    return lines;
}

void TCanvasEdit::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (!OnPaint) return;
    QPainter painter(viewport());
    OnPaint(painter);
}

}  // namespace kelmora
