// kelmora-render-icons DIR SIZE...: writes the program's picture as
// DIR/SIZExSIZE/kelmora.png for each size, for the desktop's icon theme.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "platform/program_icon.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: kelmora-render-icons DIR SIZE...\n");
        return 2;
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        bool isNumber = false;
        const int size = args[i].toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "kelmora-render-icons: not a size: %s\n", qPrintable(args[i]));
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2").arg(args[1]).arg(size);
        const QString file = folder + QStringLiteral("/kelmora.png");
        if (!QDir().mkpath(folder) || !kelmora::programIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "kelmora-render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return EXIT_SUCCESS;
}
