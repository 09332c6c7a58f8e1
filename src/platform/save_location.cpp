#include "platform/save_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelmora {

QString proposedSaveFolder(const QString& lastUsed) {
    // An empty or relative name would be read against the working directory.
    for (const QString& folder : {lastUsed, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)}) {
        const QFileInfo info(folder);
        if (!folder.isEmpty() && info.isAbsolute() && info.isDir()) return info.absoluteFilePath();
    }
    return QDir::homePath();
}

QString proposedSavePath(const QString& fileName, const QString& lastUsed) {
    return QDir(proposedSaveFolder(lastUsed)).filePath(fileName);
}

}  // namespace kelmora
