#include "CtrlsEx/edit_ex.h"

#include <QKeyEvent>

namespace kelmora {

QString groupThousands(QString text) {
    text.remove(QLatin1Char(','));
    for (qsizetype n = text.size(); n > 3;) {
        n -= 3;
        text.insert(n, QLatin1Char(','));
    }
    return text;
}

TEditEx::TEditEx(QWidget* parent) : QLineEdit(parent) {
    // Only what the user types is regrouped; setText groups on its own.
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (thousands_) regroup();
    });
}

void TEditEx::setAlignment(TAlignment alignment) {
    alignment_ = alignment;
    QLineEdit::setAlignment(toQtHorizontal(alignment) | Qt::AlignVCenter);
}

void TEditEx::setThousands(bool on) {
    if (thousands_ == on) return;
    thousands_ = on;
    if (on) regroup();
}

QString TEditEx::Text() const {
    QString shown = QLineEdit::text();
    if (thousands_) shown.remove(QLatin1Char(','));
    return shown;
}

void TEditEx::setText(const QString& text) {
    QLineEdit::setText(thousands_ ? groupThousands(text) : text);
}

void TEditEx::keyPressEvent(QKeyEvent* event) {
    // Deleting only a separator would bring it straight back and the key
    // would seem dead: step over it and delete the character beyond.
    if (thousands_ && !hasSelectedText() && event->modifiers() == Qt::NoModifier) {
        const QString shown = QLineEdit::text();
        const int caret = cursorPosition();
        if (event->key() == Qt::Key_Backspace && caret > 0 && shown[caret - 1] == QLatin1Char(','))
            setCursorPosition(caret - 1);
        else if (event->key() == Qt::Key_Delete && caret < shown.size() && shown[caret] == QLatin1Char(','))
            setCursorPosition(caret + 1);
    }
    QLineEdit::keyPressEvent(event);
}

void TEditEx::regroup() {
    const QString before = QLineEdit::text();
    const int caret = cursorPosition();
    const int anchor = hasSelectedText()
                           ? (selectionStart() == caret ? caret + int(selectedText().size())
                                                        : selectionStart())
                           : caret;
    const int caretFromEnd = int(before.size()) - caret;
    const int anchorFromEnd = int(before.size()) - anchor;

    const QString after = groupThousands(before);
    if (after == before) return;
    QLineEdit::setText(after);
    const int length = int(after.size());
    const int newCaret = qBound(0, length - caretFromEnd, length);
    const int newAnchor = qBound(0, length - anchorFromEnd, length);
    if (newAnchor == newCaret)
        setCursorPosition(newCaret);
    else
        setSelection(newAnchor, newCaret - newAnchor);
}

}  // namespace kelmora
