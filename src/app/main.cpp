// Kelmora: the month calendar whose data lives beside the program.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "main/TForm1.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/program_icon.h"
#include "platform/qt_translations.h"

int main(int argc, char** argv) {
    // The window is laid out in pixels, as its settings give them.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmora"));
    // Task bars match the window to the desktop entry kelmora.desktop by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("kelmora"));
    QApplication::setWindowIcon(kelmora::programIcon());
    kelmora::installFontSubstitutes();
    kelmora::installQtJapanese();  // without the translations Qt's dialogs stay in English

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

    kelmora::TForm1 window(environment);
    if (window.isDuplicate()) return 0;  // the running copy has been asked to come forward
    dialogs.setParent(&window);
    window.endOnTerminationRequests();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &kelmora::TForm1::closeAccepted, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    window.show();
    return QApplication::exec();
}
