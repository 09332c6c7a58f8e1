#pragma once
// An up-down spin control bound to a field that shows its position.

#include <QWidget>

class QToolButton;

namespace kelmora {

class TEditEx;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    void setRange(int min, int max);
    // Outside the range the position is clamped into it.
    int Position() const { return position_; }
    void setPosition(int position);
    // With Wrap, one step past an end lands on the other end.
    bool Wrap() const { return wrap_; }
    void setWrap(bool on) { wrap_ = on; }
    // The shown number is grouped in threes ("2,024").
    bool Thousands() const { return thousands_; }
    void setThousands(bool on);

    // The field shows the position; Up and Down pressed in it spin.
    void setAssociate(TEditEx* edit);

    void stepBy(int steps);

signals:
    void positionChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void show_();

    QToolButton* up_;
    QToolButton* down_;
    TEditEx* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool wrap_ = false;
    bool thousands_ = true;
};

// A read-only number field at `field` with its up-down at its right, in
// min..max: typed numbers would bypass the range, the up-down keeps it.
TUpDown* numberWithUpDown(QWidget* parent, const QRect& field, int min, int max, TEditEx*& edit);

}  // namespace kelmora
