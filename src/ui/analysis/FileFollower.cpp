#include "ui/analysis/FileFollower.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace eh::analysis {

namespace {

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

FileFollower::FileFollower(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &FileFollower::offerPending);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileFollower::folderChanged);
}

FileFollower::Fingerprint FileFollower::fingerprint(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat entry {};
    struct stat file {};
    const int entryError = ::lstat(name.constData(), &entry) == 0 ? 0 : errno;
    const int fileError = ::stat(name.constData(), &file) == 0 ? 0 : errno;
    return {entryError,
            static_cast<long long>(entry.st_ino),
            nanoseconds(entry.st_mtim),
            fileError,
            static_cast<long long>(file.st_dev),
            static_cast<long long>(file.st_ino),
            static_cast<long long>(file.st_size),
            static_cast<long long>(file.st_mode),
            nanoseconds(file.st_mtim),
            nanoseconds(file.st_ctim)};
}

void FileFollower::follow(const QString& path) {
    seen_.insert(path, fingerprint(path));
    watch(path);
}

// A file renamed over the followed one leaves the watch on the old file, and a removed
// one loses it: the file's watch is set again each time it is offered. The folder's
// watch (and that of the folder a link leads to) sees the name come back.
void FileFollower::watch(const QString& path) {
    if (watcher_.files().contains(path)) watcher_.removePath(path);
    const QFileInfo info(path);
    if (info.isFile()) watcher_.addPath(path);
    QStringList folders{info.absolutePath()};
    if (const QString target = info.canonicalFilePath(); !target.isEmpty())
        folders << QFileInfo(target).absolutePath();
    for (const QString& folder : std::as_const(folders))
        if (!watcher_.directories().contains(folder) && QFileInfo(folder).isDir()) watcher_.addPath(folder);
}

void FileFollower::retry(const QString& path) {
    retry_.insert(path);
}

void FileFollower::changed(const QString& path) {
    pending_.insert(path);
    attempts_ = 0;
    timer_.start();
}

void FileFollower::folderChanged() {
    lookInFolders_ = true;
    attempts_ = 0;
    timer_.start();
}

void FileFollower::offerPending() {
    if (lookInFolders_) {
        lookInFolders_ = false;
        for (auto it = seen_.cbegin(); it != seen_.cend(); ++it)
            if (fingerprint(it.key()) != it.value()) pending_.insert(it.key());
    }
    QStringList offered(pending_.cbegin(), pending_.cend());
    offered.sort();
    pending_.clear();
    retry_.clear();
    for (const QString& path : std::as_const(offered)) {
        seen_.insert(path, fingerprint(path));
        watch(path);
    }
    if (!offered.isEmpty()) emit filesChanged(offered);
    if (retry_.isEmpty()) {
        attempts_ = 0;
        return;
    }
    // Past the attempts a file is left as it is: the next change of it or of its
    // folder offers it again.
    if (++attempts_ < kAttempts) {
        pending_.unite(retry_);
        timer_.start();
    }
    retry_.clear();
}

} // namespace eh::analysis
