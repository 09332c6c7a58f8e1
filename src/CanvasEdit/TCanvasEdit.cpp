#include "CanvasEdit/TCanvasEdit.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include "platform/text_layout.h"

namespace kelmora {

// Lies over the text area and paints the owner's drawing after the text.
// Whatever repaints the text below it repaints it too (it is not opaque), so
// it never asks for a paint of its own: asking from the text's paint would
// repaint the editor, and the grid below, without end.
class TCanvasEdit::Overlay : public QWidget {
public:
    explicit Overlay(TCanvasEdit* edit) : QWidget(edit), edit_(edit) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!edit_->OnPaint) return;
        QPainter painter(this);
        edit_->OnPaint(painter);
    }

private:
    TCanvasEdit* edit_;
};

TCanvasEdit::TCanvasEdit(QWidget* parent) : QPlainTextEdit(parent), overlay_(new Overlay(this)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(MemoTextLayout::option().wrapMode());
    document()->setDocumentMargin(0);
    setTabChangesFocus(false);
    overlay_->raise();
    // The text wraps at the edit's width, so nothing lies beside it and the
    // edit never scrolls sideways. Its layout would: once the longest line
    // has got shorter (a letter an input method shows turning into a
    // narrower kana, a deletion), it reckons that line a few pixels wider
    // than it is and scrolls the text left to show the caret, cutting off
    // the first character of every line.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (max != 0) horizontalScrollBar()->setRange(0, 0);
    });
}

void TCanvasEdit::setTextMargins(int left, int top, int right) { setViewportMargins(left, top, right, 0); }

int TCanvasEdit::textWidth() const { return viewport()->width(); }

int TCanvasEdit::lineCount() const {
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += block.layout() ? std::max(1, block.layout()->lineCount()) : 1;
    return lines;
}

QString TCanvasEdit::shownText() const {
    QString text = toPlainText();
    const QTextBlock block = textCursor().block();
    const QTextLayout* layout = block.layout();
    if (layout && !layout->preeditAreaText().isEmpty())
        text.insert(block.position() + layout->preeditAreaPosition(), layout->preeditAreaText());
    return text;
}

QString TCanvasEdit::composingText() const {
    const QTextLayout* layout = textCursor().block().layout();
    return layout ? layout->preeditAreaText() : QString();
}

void TCanvasEdit::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown && OnKeyDown(event)) return;
    QPlainTextEdit::keyPressEvent(event);
}

void TCanvasEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (OnInputMethod && OnInputMethod(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
    if (OnComposition) OnComposition();
}

void TCanvasEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    overlay_->setGeometry(rect());
    overlay_->raise();
}

}  // namespace kelmora
