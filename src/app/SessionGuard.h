#pragma once
// Keeps the bench's unsaved measurements however the program ends. Every stored record
// goes to a journal on disk before the press returns, so that after a kill or a power
// cut the next start gets them back; on SIGTERM, SIGHUP, SIGINT, SIGQUIT, an exit from
// inside the toolkit (the display connection lost) or the desktop session ending they
// are written to a recovery file at once. When the data folder cannot be used, a
// private folder in the temporary folder takes its place, and the user is told.

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "bench/BenchModel.h"
#include "datafile/JournalFile.h"

namespace eh {

class SessionGuard : public QObject {
    Q_OBJECT
public:
    // One per process, created after the application object and before the first
    // record. `folder` is where the journal and recovery files go.
    SessionGuard(BenchModel& bench, QString folder, QObject* parent = nullptr);
    ~SessionGuard() override;
    SessionGuard(const SessionGuard&) = delete;
    SessionGuard& operator=(const SessionGuard&) = delete;

    // Writes the unsaved records, once for each content; does nothing when every
    // record was saved. Returns the file written, or an empty string.
    QString rescue();

    // The journals of earlier runs that ended without a word become recovery files,
    // announced like any rescue. Returns the files written.
    QStringList recoverEndedSessions();

    // The program ends normally: every record was saved or the user agreed to lose
    // them, so the journal goes.
    void discardJournal();

    // Where recovery files may be: the data folder and the second place.
    QStringList folders() const { return {primary_, second_}; }
    // The folder in use for this run.
    const QString& folder() const { return folder_; }
    // In Spanish, why the data folder is not in use and where the records go instead;
    // empty when it is in use.
    const QString& folderProblem() const { return problem_; }

    // The folder the program keeps recovery files in.
    static QString defaultFolder();
    // Where they go when that folder cannot be used: a folder of the user's own in
    // the temporary folder.
    static QString secondFolder();

private:
    void chooseFolder();
    void onSignal();
    void atExit();
    friend void rescueAtExit();

    BenchModel& bench_;
    QString primary_;
    QString second_;
    QString folder_;
    QString problem_;
    std::unique_ptr<JournalFile> journal_;
    std::string rescued_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace eh
