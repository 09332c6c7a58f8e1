#pragma once
// Watches the shown month's file and its folder for changes made outside
// the program. Sync tools replace a file by renaming a new one over it, which
// ends a watch on the file itself: the folder is watched too, and the file
// again whenever it is there. A burst of changes (a tool writing, then
// renaming) is told once, a moment after it has settled.

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace kelmora {

class MonthFileWatcher : public QObject {
    Q_OBJECT
public:
    explicit MonthFileWatcher(QObject* parent = nullptr);

    // From now on the file `path` in `folder` (native paths).
    void watch(const QString& folder, const QString& path);
    // Tells `changed` again a moment later (the owner could not look now).
    void askAgainLater();

signals:
    void changed();

private:
    void somethingChanged();

    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    QString folder_, file_;
};

}  // namespace kelmora
