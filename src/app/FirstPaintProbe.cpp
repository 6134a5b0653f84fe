#include "app/FirstPaintProbe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace eh {
namespace {

std::int64_t monotonicNs(clockid_t clock = CLOCK_MONOTONIC) {
    timespec ts{};
    ::clock_gettime(clock, &ts);
    return std::int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

std::int64_t markedStartNs = 0;

bool envSet(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' && std::string(v) != "0";
}

// Field 22 of /proc/self/stat: the start time in clock ticks after boot.
double msSinceKernelStart() {
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return -1.0;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double startMs = std::stod(field) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
    return static_cast<double>(monotonicNs(CLOCK_BOOTTIME)) / 1e6 - startMs;
}

double msSinceStart(const char** clockName) {
    if (const char* launch = std::getenv("TARVELO_LAUNCH_NS")) {
        *clockName = "launch";
        return static_cast<double>(monotonicNs() - std::atoll(launch)) / 1e6;
    }
    if (markedStartNs != 0) {
        *clockName = "main";
        return static_cast<double>(monotonicNs() - markedStartNs) / 1e6;
    }
    *clockName = "kernel";
    return msSinceKernelStart();
}

// A "Key:   123 kB" line of /proc/self/status, in kB.
long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    const std::string prefix = std::string(key) + ":";
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
    return -1;
}

double cpuMs() {
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    auto ms = [](const timeval& tv) { return static_cast<double>(tv.tv_sec) * 1e3 + tv.tv_usec / 1e3; };
    return ms(ru.ru_utime) + ms(ru.ru_stime);
}

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QCoreApplication& app, std::function<void()> scenario)
        : QObject(&app), scenario_(std::move(scenario)) {
        exitAfterPaint_ = envSet("TARVELO_EXIT_AFTER_FIRST_PAINT");
        if (const char* idle = std::getenv("TARVELO_IDLE_SECONDS")) idleSeconds_ = std::atoi(idle);
        runScenario_ = envSet("TARVELO_IDLE_SCENARIO");
    }
    bool active() const { return exitAfterPaint_ || idleSeconds_ > 0; }

protected:
    // The first paint event of a visible window starts its first frame; the report is
    // queued behind that frame so that it covers the whole of it.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window()->isVisible()) {
            painted_ = true;
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { firstFrameDone(); });
        }
        return false;
    }

private:
    void firstFrameDone() {
        const char* clock = "";
        const double ms = msSinceStart(&clock);
        std::printf("first-paint-ms %.3f\nfirst-paint-cpu-ms %.3f\npeak-rss-kb %ld\nrss-anon-kb %ld\n"
                    "rss-file-kb %ld\nclock %s\n",
                    ms, cpuMs(), statusKb("VmHWM"), statusKb("RssAnon"), statusKb("RssFile"), clock);
        std::fflush(stdout);
        if (idleSeconds_ <= 0) {
            QCoreApplication::quit();
            return;
        }
        if (runScenario_ && scenario_) scenario_();
        QTimer::singleShot(1000, Qt::PreciseTimer, this, [this] { startIdle(); });
    }

    void startIdle() {
        idleCpuMs_ = cpuMs();
        idleWallNs_ = monotonicNs();
        QTimer::singleShot(idleSeconds_ * 1000, Qt::PreciseTimer, this, [this] { endIdle(); });
    }

    void endIdle() {
        std::printf("idle-cpu-ms %.3f\nidle-wall-ms %.3f\n", cpuMs() - idleCpuMs_,
                    static_cast<double>(monotonicNs() - idleWallNs_) / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    std::function<void()> scenario_;
    bool exitAfterPaint_ = false;
    bool runScenario_ = false;
    int idleSeconds_ = 0;
    bool painted_ = false;
    double idleCpuMs_ = 0.0;
    std::int64_t idleWallNs_ = 0;
};

} // namespace

void markProcessStart() {
    markedStartNs = monotonicNs();
}

void installFirstPaintProbe(QCoreApplication& app, std::function<void()> scenario) {
    auto* probe = new FirstPaintProbe(app, std::move(scenario));
    if (probe->active())
        app.installEventFilter(probe);
    else
        delete probe;
}

} // namespace eh
