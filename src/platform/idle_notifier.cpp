#include "platform/idle_notifier.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace kelmora {

IdleNotifier::IdleNotifier(QObject* parent) : QObject(parent) {
    auto* dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
        // A handler that opens a modal box runs a loop of its own, which
        // blocks too: no second notice while the first is being handled.
        if (notifying_) return;
        notifying_ = true;
        emit idle();
        notifying_ = false;
    });
}

}  // namespace kelmora
