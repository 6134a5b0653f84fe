// Tarvelo: the simulated semiconductor-physics bench.
#include <QApplication>
#include <QTimer>

#include "app/FirstPaintProbe.h"
#include "app/RecoveryNotice.h"
#include "app/SessionGuard.h"
#include "ui/BenchWindow.h"
#include "ui/SpanishTranslations.h"
#include "ui/common/WindowFonts.h"

int main(int argc, char* argv[]) {
    eh::markProcessStart();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarvelo.Tarvelo"));
    // The bench's own default font for every widget and dialog, so that no other
    // family has to be looked up and loaded.
    QApplication::setFont(eh::defaultWindowFont());
    eh::installSpanishTranslations(app);

    eh::BenchWindow window;
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
    const int status = QApplication::exec();
    // The window closed only once every record was saved or the user agreed to lose them.
    guard.discardJournal();
    return status;
}
