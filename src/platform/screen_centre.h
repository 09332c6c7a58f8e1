#pragma once
// The small dialogs open in the middle of the screen, not over their owner.

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace kelmora {

inline void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

}  // namespace kelmora
