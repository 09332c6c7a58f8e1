#include "jump/up_down.h"

#include <QKeyEvent>
#include <QToolButton>

#include "CtrlsEx/edit_ex.h"

namespace kelmora {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void TUpDown::setRange(int min, int max) {
    min_ = qMin(min, max);
    max_ = qMax(min, max);
    setPosition(position_);
}

void TUpDown::setPosition(int position) {
    const int clamped = qBound(min_, position, max_);
    const bool changed = clamped != position_;
    position_ = clamped;
    show_();
    if (changed) emit positionChanged(position_);
}

void TUpDown::setThousands(bool on) {
    thousands_ = on;
    show_();
}

void TUpDown::setAssociate(TEditEx* edit) {
    if (associate_) associate_->removeEventFilter(this);
    associate_ = edit;
    if (associate_) associate_->installEventFilter(this);
    show_();
}

void TUpDown::stepBy(int steps) {
    int next = position_ + steps;
    if (wrap_) {
        const int span = max_ - min_ + 1;
        next = min_ + ((next - min_) % span + span) % span;
    }
    setPosition(next);
}

void TUpDown::show_() {
    if (!associate_) return;
    const QString number = QString::number(position_);
    associate_->setText(thousands_ ? groupThousands(number) : number);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

TUpDown* numberWithUpDown(QWidget* parent, const QRect& field, int min, int max, TEditEx*& edit) {
    edit = new TEditEx(parent);
    edit->setGeometry(field);
    edit->setAlignment(taRightJustify);
    edit->setReadOnly(true);
    auto* upDown = new TUpDown(parent);
    upDown->setGeometry(field.right() + 1, field.top(), 17, field.height());
    upDown->setThousands(false);
    upDown->setRange(min, max);
    upDown->setAssociate(edit);
    return upDown;
}

}  // namespace kelmora
