#pragma once
// A short message beside the control being typed in, for input it refused:
// it asks nothing and takes neither the keyboard nor the mouse, so the user
// reads it and types on (an input method's composition goes on too). It
// goes by itself after a few seconds, or when its owner puts it away.

#include <QLabel>

class QTimer;

namespace kelmora {

class PassingNote : public QLabel {
    Q_OBJECT
public:
    // The note lies inside `parent`, above its other children.
    explicit PassingNote(QWidget* parent);

    // Below `area` (in `control`'s coordinates), or above it when the
    // parent has no room below; the bell rings.
    void showBeside(QWidget* control, const QRect& area, const QString& text);
    void putAway();

private:
    QTimer* timer_;
};

}  // namespace kelmora
