#pragma once
// Follows the files the window shows: the bench rewrites its file in place or renames
// a new file over it, a file may be removed, emptied or replaced by a link, and written
// again under the same name at any later time. The file and its folder are both
// watched, so that nothing of this is missed however long it takes.

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <array>

namespace eh::analysis {

class FileFollower : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 250;
    static constexpr int kAttempts = 8;

    explicit FileFollower(QObject* parent = nullptr);

    // `path` is absolute.
    void follow(const QString& path);
    bool follows(const QString& path) const { return seen_.contains(path); }
    // Whether the file itself is watched now (it is not while it is missing or a
    // link that leads nowhere; its folder still is).
    bool watchesFile(const QString& path) const { return watcher_.files().contains(path); }

    // Called by a receiver of filesChanged for a file it could not read: it is offered
    // again after the delay, a few times, in case it was caught half-written.
    void retry(const QString& path);

signals:
    // Followed files that changed in any way (written, removed, replaced, created
    // again), after a short pause so that a save in progress is over.
    void filesChanged(const QStringList& paths);

private:
    // What tells one state of a name from another: the entry itself and what it leads
    // to (identity, size, times, or why it cannot be reached).
    using Fingerprint = std::array<long long, 10>;
    static Fingerprint fingerprint(const QString& path);

    void changed(const QString& path);
    void folderChanged();
    void offerPending();
    void watch(const QString& path);

    QFileSystemWatcher watcher_;
    QTimer timer_;
    QHash<QString, Fingerprint> seen_; // every followed file, as last offered
    QSet<QString> pending_;
    QSet<QString> retry_;
    bool lookInFolders_ = false;
    int attempts_ = 0;
};

} // namespace eh::analysis
