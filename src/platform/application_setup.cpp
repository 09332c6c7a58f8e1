#include "platform/application_setup.h"

#include <QApplication>

#include "platform/fonts.h"
#include "platform/program_icon.h"
#include "platform/qt_translations.h"

namespace kelmora {

void prepareApplicationEnvironment() { qputenv("QT_ENABLE_HIGHDPI_SCALING", "0"); }

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Kelmora"));
    // Task bars match the window to the desktop entry kelmora.desktop by this.
    QGuiApplication::setDesktopFileName(QStringLiteral("kelmora"));
    QApplication::setWindowIcon(programIcon());
    installFontSubstitutes();
    installQtJapanese();  // without the translations Qt's dialogs stay in English
}

}  // namespace kelmora
