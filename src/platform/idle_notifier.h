#pragma once
// Tells when the event queue has run empty: the moment before the event
// dispatcher blocks waiting for the next event.

#include <QObject>

namespace kelmora {

class IdleNotifier : public QObject {
    Q_OBJECT
public:
    explicit IdleNotifier(QObject* parent = nullptr);

signals:
    void idle();

private:
    bool notifying_ = false;
};

}  // namespace kelmora
