#pragma once
// An event filter that hands what it sees to a function: the window's own
// look at keys and clicks before the control under them handles them.

#include <QObject>
#include <functional>
#include <utility>

namespace kelmora {

class EventHook : public QObject {
public:
    // True from the handler stops the event.
    using Handler = std::function<bool(QObject* watched, QEvent* event)>;
    EventHook(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    Handler handler_;
};

}  // namespace kelmora
