// Tarvelo: the simulated semiconductor-physics bench.
#include <QApplication>
#include <QTimer>
#include <string>
#include <vector>

#include "app/BenchOptions.h"
#include "app/FirstPaintProbe.h"
#include "app/RecoveryNotice.h"
#include "app/SessionGuard.h"
#include "ui/BenchWindow.h"
#include "ui/SpanishTranslations.h"
#include "ui/common/WindowFonts.h"

int main(int argc, char* argv[]) {
    eh::markProcessStart();
    QApplication app(argc, argv);
    // Read once Qt has taken its own options (-platform and the like) out of the line.
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) args.push_back(arg.toStdString());
    int status = 0;
    const auto options = eh::readBenchOptions(args, status);
    if (!options) return status;
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarvelo.Tarvelo"));
    // The bench's own default font for every widget and dialog, so that no other
    // family has to be looked up and loaded.
    QApplication::setFont(eh::defaultWindowFont());
    eh::installSpanishTranslations(app);

    eh::BenchWindow window;
    // The unknown sample given now, else the one of the last run; without either, the
    // bench starts as it always has.
    if (!options->sampleCode.empty())
        window.useSampleCode(QString::fromStdString(options->sampleCode));
    else
        window.restoreSampleCode();
    eh::SessionGuard guard(window.model(), eh::SessionGuard::defaultFolder());
    // Records of runs that ended without a word (killed, a power cut) become
    // recovery files, announced with the others.
    guard.recoverEndedSessions();
    eh::installFirstPaintProbe(app, [&window] { eh::driveIdleScenario(window.model()); });
    window.showMaximized();
    // Measurements rescued when the last run ended: said once the window is up.
    QTimer::singleShot(0, &window, [&window, &guard] {
        eh::announceRescuedMeasurements(&window, guard.folders());
        if (!guard.folderProblem().isEmpty()) eh::warnAboutDataFolder(&window, guard.folderProblem());
    });
    status = QApplication::exec();
    // The window closed only once every record was saved or the user agreed to lose them.
    guard.discardJournal();
    return status;
}
