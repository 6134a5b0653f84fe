#include "app/SessionGuard.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QStandardPaths>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include "datafile/Recovery.h"

namespace eh {
namespace {

// The signal handler only writes the signal's number into this pipe; the event loop,
// in whatever modal dialog it runs, reads it and does the work.
int signalPipe[2] = {-1, -1};

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
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGHUP, &action, nullptr) == 0;
}

} // namespace

SessionGuard::SessionGuard(const BenchModel& bench, QString folder, QObject* parent)
    : QObject(parent), bench_(bench), folder_(std::move(folder)) {
    if (catchEndSignals()) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionGuard::onSignal);
    } else {
        std::perror("tarvelo: the end-of-session signals cannot be caught");
    }
    // The desktop asks every program to keep its data before the session ends; it
    // may still cancel the logout, so the program goes on.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { rescue(); });
}

SessionGuard::~SessionGuard() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    delete notifier_;
    for (int& fd : signalPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

QString SessionGuard::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString SessionGuard::rescue() {
    if (!bench_.hasUnsavedRecords()) return {};
    std::string content = bench_.registerContent();
    if (content == rescued_) return {};
    const std::optional<std::string> path = saveRecovery(folder_.toStdString(), content, std::time(nullptr));
    if (!path) {
        std::fprintf(stderr, "tarvelo: the unsaved measurements could not be written to %s\n",
                     folder_.toLocal8Bit().constData());
        return {};
    }
    rescued_ = std::move(content);
    return QString::fromStdString(*path);
}

void SessionGuard::onSignal() {
    unsigned char byte = 0;
    if (::read(signalPipe[0], &byte, 1) != 1) return;
    rescue();
    // Then end as the signal asked, with its own status, whatever dialog is open.
    const int sig = byte;
    std::signal(sig, SIG_DFL);
    ::raise(sig);
}

} // namespace eh
