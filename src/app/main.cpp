// Kelmora: the month calendar whose data lives beside the program.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "main/TForm1.h"
#include "platform/application_setup.h"
#include "platform/dialogs.h"

int main(int argc, char** argv) {
    kelmora::prepareApplicationEnvironment();
    QApplication app(argc, argv);
    kelmora::setUpApplication();

    kelmora::SystemClock clock;
    kelmora::RealFileSystem files;
    kelmora::MessageBoxDialogs dialogs;
    kelmora::WindowEnvironment environment;
    environment.programDir = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString() + "/";
    environment.clock = &clock;
    environment.dialogs = &dialogs;
    environment.files = &files;

    environment.uniqueName = QStringLiteral("Ident6215");
    // $XDG_DATA_HOME, or ~/.local/share without it.
    environment.rescueDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/kelmora/rescue/";
    // In memory: the last place to keep the month when no disk takes it.
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); !runtime.isEmpty())
        environment.lastResortDir = runtime.toStdString() + "/kelmora/rescue/";

    kelmora::TForm1 window(environment);
    if (window.isDuplicate()) return 0;  // the running copy has been asked to come forward
    dialogs.setParent(&window);
    window.endOnTerminationRequests();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &kelmora::TForm1::closeAccepted, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return QApplication::exec();
}
