#include "main/month_file_watcher.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace kelmora {
namespace {

// Long enough for a writer to finish its rename after its write, short
// enough that the other machine's memo shows at once.
constexpr int kSettleMs = 300;

}  // namespace

MonthFileWatcher::MonthFileWatcher(QObject* parent) : QObject(parent) {
    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &MonthFileWatcher::changed);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { somethingChanged(); });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { somethingChanged(); });
}

void MonthFileWatcher::watch(const QString& folder, const QString& path) {
    if (folder != folder_) {
        if (!folder_.isEmpty()) watcher_->removePath(folder_);
        folder_ = folder;
        watcher_->addPath(folder_);
    }
    if (path != file_ && !file_.isEmpty()) watcher_->removePath(file_);
    file_ = path;
    if (QFileInfo::exists(file_) && !watcher_->files().contains(file_)) watcher_->addPath(file_);
}

void MonthFileWatcher::askAgainLater() { settle_->start(); }

void MonthFileWatcher::somethingChanged() {
    // A file renamed over the watched one is a new file: watch it anew.
    if (QFileInfo::exists(file_) && !watcher_->files().contains(file_)) watcher_->addPath(file_);
    settle_->start();
}

}  // namespace kelmora
