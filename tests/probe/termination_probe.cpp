// The calendar as the program runs it, against a program folder it cannot
// write, waiting for a termination signal.
//   termination_probe <program folder> <rescue folder> typing|asking [<last resort folder>]
// typing: "退避テスト" is typed into today's memo (its save fails), then
// "ready" is printed. asking: the same, then the window is closed and
// "ready" is printed while the close question waits for an answer.
// Run as root, it first becomes the user nobody, for whom a folder of root's
// takes no files. Exit 0: ended by the signal; 9: never ended; 64: usage.

#include <QApplication>
#include <QInputMethodEvent>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "CanvasEdit/TCanvasEdit.h"
#include "main/TForm1.h"
#include "platform/dialogs.h"

namespace {

void say(const char* text) {
    std::puts(text);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return 64;
    const std::string mode = argv[3];
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 64;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    kelmora::SystemClock clock;
    kelmora::RealFileSystem files;
    kelmora::MessageBoxDialogs dialogs;  // real boxes: nobody would answer them
    kelmora::WindowEnvironment environment;
    environment.programDir = argv[1];
    environment.rescueDir = argv[2];
    if (argc == 5) environment.lastResortDir = argv[4];
    environment.clock = &clock;
    environment.dialogs = &dialogs;
    environment.files = &files;
    kelmora::TForm1 window(environment);
    dialogs.setParent(&window);
    window.endOnTerminationRequests();
    window.show();

    // A safety net, so a probe never outlives its test for long.
    QTimer::singleShot(20000, &app, [] { std::_Exit(9); });
    QTimer::singleShot(0, &window, [&] {
        window.openEditor();
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("退避テスト"));
        QApplication::sendEvent(window.memo1, &typed);
        QApplication::processEvents();
        if (mode == "asking") {
            QTimer::singleShot(300, &window, [] { say("ready"); });
            window.close();
        } else {
            QTimer::singleShot(300, &window, [] { say("ready"); });
        }
    });
    return QApplication::exec();
}
