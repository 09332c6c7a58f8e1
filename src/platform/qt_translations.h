#pragma once
// Qt's own dialogs (colour, font, print, page setup, files) in Japanese; the
// program's own texts are Japanese already.

#include <QString>

class QTranslator;

namespace kelmora {

// Installs Qt's Japanese translations ("qtbase_ja.qm") from `folder`, Qt's
// own translations folder unless given. Returns the installed translator
// (owned by the application), or null, nothing changed, when they are not
// there.
QTranslator* installQtJapanese(const QString& folder = QString());

}  // namespace kelmora
