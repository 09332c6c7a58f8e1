#include "platform/passing_note.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

namespace kelmora {
namespace {

constexpr int kShownFor = 4000;  // ms: long enough to read two short lines
constexpr int kGap = 2;          // pixels between the area and the note

}  // namespace

PassingNote::PassingNote(QWidget* parent) : QLabel(parent), timer_(new QTimer(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::Box);
    setMargin(4);
    setAutoFillBackground(true);
    // The colours of a tool tip: the desktop's way of saying something beside
    // a control.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    hide();
    timer_->setSingleShot(true);
    timer_->setInterval(kShownFor);
    connect(timer_, &QTimer::timeout, this, &PassingNote::putAway);
}

void PassingNote::showBeside(QWidget* control, const QRect& area, const QString& text) {
    setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    adjustSize();
    QWidget* room = parentWidget();
    const QRect target(control->mapTo(room, area.topLeft()), area.size());
    int x = std::clamp(target.left(), 0, std::max(0, room->width() - width()));
    int y = target.bottom() + 1 + kGap;
    if (y + height() > room->height()) y = std::max(0, target.top() - kGap - height());
    move(x, y);
    show();
    raise();
    timer_->start();
    QApplication::beep();
}

void PassingNote::putAway() {
    timer_->stop();
    hide();
}

}  // namespace kelmora
