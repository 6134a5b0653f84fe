#include "ui/analysis/FileFollower.h"

#include <QFileInfo>

namespace eh::analysis {

FileFollower::FileFollower(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &FileFollower::offerPending);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::changed);
}

void FileFollower::follow(const QString& path) {
    if (!follows(path)) watcher_.addPath(path);
}

void FileFollower::retry(const QString& path) {
    retry_.insert(path);
}

void FileFollower::changed(const QString& path) {
    pending_.insert(path);
    attempts_ = 0;
    timer_.start();
}

// Renaming a new file over a followed one loses the watch, so it is set again after
// each offer.
void FileFollower::offerPending() {
    QStringList present;
    retry_.clear();
    for (const QString& path : std::as_const(pending_)) {
        if (QFileInfo::exists(path))
            present << path;
        else
            retry_.insert(path);
    }
    if (!present.isEmpty()) emit filesChanged(present);
    for (const QString& path : std::as_const(pending_))
        if (QFileInfo::exists(path)) follow(path);
    pending_ = retry_;
    retry_.clear();
    if (pending_.isEmpty()) return;
    if (++attempts_ < kAttempts) {
        timer_.start();
        return;
    }
    // They stay pending: the next change of any followed file offers them again.
    for (const QString& path : std::as_const(pending_)) emit fileGone(path);
}

} // namespace eh::analysis
