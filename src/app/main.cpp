// Kelmora: the month calendar whose data lives beside a portable program, or
// in the user's data folder when it is installed.

#include <QApplication>
#include <QDir>

#include "main/TForm1.h"
#include "main/data_folder.h"
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
    const kelmora::CalendarFolders folders = kelmora::locateCalendarFolders(
        files, QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString(),
        {qEnvironmentVariable("XDG_DATA_HOME").toStdString(), QDir::homePath().toStdString()});
    // A folder that cannot be made shows in the window's bar, as one that
    // takes no files does.
    if (!folders.portable) files.createFolders(folders.data);
    environment.programDir = folders.data;
    environment.helpFile = folders.helpFile;
    environment.clock = &clock;
    environment.dialogs = &dialogs;
    environment.files = &files;

    environment.uniqueName = QStringLiteral("Ident6215");
    environment.rescueDir = folders.rescue;
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
