#include "app/SessionGuard.h"

#include <QDir>
#include <QGuiApplication>
#include <QSessionManager>
#include <QStandardPaths>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include "datafile/JournalReplay.h"
#include "datafile/Recovery.h"

namespace eh {
namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT, SIGQUIT};

// The signal handler only writes the signal's number into this pipe; the event loop,
// in whatever modal dialog it runs, reads it and does the work.
int signalPipe[2] = {-1, -1};

// The guard of this process, for a program that calls exit() from inside the event
// loop (the display's connection lost) and so never leaves main().
SessionGuard* liveGuard = nullptr;

extern "C" void noteEndSignal(int sig) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

bool catchEndSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = noteEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : kEndSignals)
        if (::sigaction(sig, &action, nullptr) != 0) return false;
    return true;
}

void say(const std::string& text) {
    std::fprintf(stderr, "tarvelo: %s\n", text.c_str());
}

} // namespace

void rescueAtExit() {
    if (liveGuard != nullptr) liveGuard->atExit();
}

SessionGuard::SessionGuard(BenchModel& bench, QString folder, QObject* parent)
    : QObject(parent), bench_(bench), primary_(std::move(folder)), second_(secondFolder()) {
    chooseFolder();
    journal_ = std::make_unique<JournalFile>(folder_.toStdString());
    bench_.setJournal(journal_.get());
    if (catchEndSignals()) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionGuard::onSignal);
    } else {
        say("no se pueden atender las señales de fin de sesión; las medidas se guardan en el diario " +
            folder_.toStdString());
    }
    // The desktop asks every program to keep its data before the session ends; it
    // may still cancel the logout, so the program goes on.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { rescue(); });
    static const bool registered = std::atexit(rescueAtExit) == 0;
    if (registered) liveGuard = this;
}

SessionGuard::~SessionGuard() {
    if (liveGuard == this) liveGuard = nullptr;
    bench_.setJournal(nullptr);
    for (const int sig : kEndSignals) std::signal(sig, SIG_DFL);
    delete notifier_;
    for (int& fd : signalPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

QString SessionGuard::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString SessionGuard::secondFolder() {
    return QDir::tempPath() + QStringLiteral("/tarvelo-") + QString::number(::geteuid());
}

void SessionGuard::chooseFolder() {
    const int err = prepareRecoveryFolder(primary_.toStdString(), false);
    if (err == 0) {
        folder_ = primary_;
        return;
    }
    const bool secondUsable = prepareRecoveryFolder(second_.toStdString(), true) == 0;
    folder_ = secondUsable ? second_ : primary_;
    const std::string notice =
        secondPlaceNotice(primary_.toStdString(), err, secondUsable ? second_.toStdString() : std::string());
    problem_ = QString::fromStdString(notice);
    say(notice);
}

QString SessionGuard::rescue() {
    if (!bench_.hasUnsavedRecords()) return {};
    std::string content = bench_.registerContent();
    if (content == rescued_) return {};
    const std::time_t now = std::time(nullptr);
    std::optional<std::string> path = saveRecovery(folder_.toStdString(), content, now);
    // The folder may have become unusable since the start: the other place then.
    const QString other = folder_ == primary_ ? second_ : primary_;
    if (!path && prepareRecoveryFolder(other.toStdString(), other == second_) == 0)
        path = saveRecovery(other.toStdString(), content, now);
    if (!path) {
        const std::string where =
            journal_->path().empty()
                ? "se han perdido (" +
                      eh::folderProblem(prepareRecoveryFolder(folder_.toStdString(), folder_ == second_)) +
                      ")"
                : "quedan en el fichero " + journal_->path();
        say("no se han podido guardar las medidas sin guardar ni en " + folder_.toStdString() + " ni en " +
            other.toStdString() + ": " + where);
        return {};
    }
    if (QString::fromStdString(*path).startsWith(second_ + QLatin1Char('/')))
        say("las medidas sin guardar se han guardado en " + *path);
    rescued_ = std::move(content);
    // Its records are in the recovery file now.
    journal_->remove(); // a later record starts it afresh
    return QString::fromStdString(*path);
}

QStringList SessionGuard::recoverEndedSessions() {
    QStringList written;
    const std::time_t now = std::time(nullptr);
    for (const QString& place : folders())
        for (const std::string& file : recoverEndedJournals(place.toStdString(), now))
            written << QString::fromStdString(file);
    return written;
}

void SessionGuard::discardJournal() {
    journal_->remove();
}

void SessionGuard::atExit() {
    rescue();
    if (!bench_.hasUnsavedRecords()) journal_->remove();
}

void SessionGuard::onSignal() {
    unsigned char byte = 0;
    if (::read(signalPipe[0], &byte, 1) != 1) return;
    liveGuard = nullptr;
    rescue();
    if (!bench_.hasUnsavedRecords()) journal_->remove();
    // Then end as the signal asked, with its own status, whatever dialog is open.
    const int sig = byte;
    std::signal(sig, SIG_DFL);
    ::raise(sig);
}

} // namespace eh
