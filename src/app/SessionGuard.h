#pragma once
// Keeps the bench's unsaved measurements when the program is ended from outside: on
// SIGTERM, SIGHUP or the desktop session ending they are written to a recovery file
// in the program's data folder before the program goes.

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <string>

#include "bench/BenchModel.h"

namespace eh {

class SessionGuard : public QObject {
    Q_OBJECT
public:
    // One per process, created after the application object. `folder` is where
    // recovery files go.
    SessionGuard(const BenchModel& bench, QString folder, QObject* parent = nullptr);
    ~SessionGuard() override;
    SessionGuard(const SessionGuard&) = delete;
    SessionGuard& operator=(const SessionGuard&) = delete;

    // Writes the unsaved records, once for each content; does nothing when every
    // record was saved. Returns the file written, or an empty string.
    QString rescue();

    // The folder the program keeps recovery files in.
    static QString defaultFolder();

private:
    void onSignal();

    const BenchModel& bench_;
    QString folder_;
    std::string rescued_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace eh
