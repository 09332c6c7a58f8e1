// A second copy of the program, as far as the single-instance guard sees it.
//   instance_probe <unique name> check|hold|terminate|exception
// Exit codes: 0 first copy (hold: stays until killed), 1 duplicate ended by the
// guard's end request, 2 the same with diTerminate, 3 EMultiAppInstance
// raised, 9 the end request never ended the loop, 64 usage.
// "duplicate" is printed when OnDuplicate fires, "holding" once the name is held.

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "SysCtrls/single_instance.h"
#include "SysCtrls/sysctrls_errors.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) return 64;
    const QString mode = args[2];

    kelmora::TSingleInstance guard;
    guard.UniqueName = args[1];
    if (mode == QLatin1String("terminate")) guard.DupInstAction = kelmora::diTerminate;
    if (mode == QLatin1String("exception")) guard.DupInstAction = kelmora::diException;
    guard.OnDuplicate = [](QObject*) {
        std::puts("duplicate");
        std::fflush(stdout);
    };

    // A safety net, so a probe never outlives its test for long; far beyond
    // what a loaded machine needs, so it never decides a test.
    QTimer::singleShot(mode == QLatin1String("hold") ? 90000 : 30000, &app, [] { QCoreApplication::exit(9); });
    try {
        if (guard.loaded()) {
            if (mode != QLatin1String("hold")) return 0;
            std::puts("holding");
            std::fflush(stdout);
            return app.exec() == 9 ? 0 : 9;
        }
    } catch (const kelmora::EMultiAppInstance& e) {
        std::printf("%s\n", e.what());
        return 3;
    }
    if (app.exec() != 0) return 9;
    return guard.DupInstAction == kelmora::diTerminate ? 2 : 1;
}
