#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace kelmora {

void installFontSubstitutes() {
    struct Stand {
        const char* face;
        const char* substitute;
    };
    static const Stand stands[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS PGothic", "IPAPGothic"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},     {"MS PMincho", "IPAPMincho"},
        {"ＭＳ ゴシック", "IPAGothic"},     {"MS Gothic", "IPAGothic"},
        {"ＭＳ 明朝", "IPAMincho"},         {"MS Mincho", "IPAMincho"},
    };
    const QStringList installed = QFontDatabase::families();
    for (const Stand& s : stands) {
        const QString face = QString::fromUtf8(s.face);
        if (!installed.contains(face, Qt::CaseInsensitive))
            QFont::insertSubstitution(face, QString::fromUtf8(s.substitute));
    }
}

}  // namespace kelmora
