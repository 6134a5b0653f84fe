#pragma once
// Follows the files the window shows: the bench rewrites its file in place, other
// programs rename a new file over it, and either way a file caught half-written or
// missing is offered again shortly, a few times.

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

namespace eh::analysis {

class FileFollower : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 250;
    static constexpr int kAttempts = 8;

    explicit FileFollower(QObject* parent = nullptr);

    void follow(const QString& path);
    bool follows(const QString& path) const { return watcher_.files().contains(path); }

    // Called by a receiver of filesChanged for a file it could not read yet: it is
    // offered again after the delay, while attempts are left.
    void retry(const QString& path);

signals:
    // Followed files written again that exist now, after a short delay so that a save
    // in progress is over.
    void filesChanged(const QStringList& paths);
    // A file still missing or unreadable when the attempts ran out.
    void fileGone(const QString& path);

private:
    void changed(const QString& path);
    void offerPending();

    QFileSystemWatcher watcher_;
    QTimer timer_;
    QSet<QString> pending_;
    QSet<QString> retry_;
    int attempts_ = 0;
};

} // namespace eh::analysis
