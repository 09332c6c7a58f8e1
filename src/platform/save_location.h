#pragma once
// Where a save dialog starts: always an absolute path in a folder that
// exists, never one the working directory would decide.

#include <QString>

namespace kelmora {

// `lastUsed` while it is still a folder; else the user's Documents folder
// when there is one; else the home folder.
QString proposedSaveFolder(const QString& lastUsed = {});

// `fileName` in that folder.
QString proposedSavePath(const QString& fileName, const QString& lastUsed = {});

}  // namespace kelmora
