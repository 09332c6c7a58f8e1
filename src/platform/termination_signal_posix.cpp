#include "platform/termination_signal.h"

#include <QObject>

#if !defined(_WIN32)
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kelmora {

#if defined(_WIN32)

void closeOnTerminationSignal(QObject*, std::function<void()>) {}

#else

namespace {
int wakeFds[2] = {-1, -1};

extern "C" void onSignal(int) {
    char byte = 1;
    [[maybe_unused]] auto written = ::write(wakeFds[0], &byte, 1);
}
}  // namespace

void closeOnTerminationSignal(QObject* owner, std::function<void()> onRequest) {
    if (wakeFds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, wakeFds) != 0) return;
    auto* notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [onRequest = std::move(onRequest)] {
        char byte;
        [[maybe_unused]] auto got = ::read(wakeFds[1], &byte, 1);
        onRequest();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
}

#endif

}  // namespace kelmora
