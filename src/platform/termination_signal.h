#pragma once
// A request to end the program from outside (logout, shutdown, kill) closes
// the window the normal way, so the month is saved.

#include <functional>

class QObject;

namespace kelmora {

// Calls `onRequest` on the event loop when SIGTERM, SIGINT or SIGHUP arrives.
void closeOnTerminationSignal(QObject* owner, std::function<void()> onRequest);

}  // namespace kelmora
