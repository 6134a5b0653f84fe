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
    const QString dataFolder = eh::SessionGuard::defaultFolder();
    eh::SessionGuard guard(window.model(), dataFolder);
    eh::installFirstPaintProbe(app, [&window] { eh::driveIdleScenario(window.model()); });
    window.showMaximized();
    // Measurements rescued when the last run was ended from outside: said once the
    // window is up.
    QTimer::singleShot(0, &window,
                       [&window, dataFolder] { eh::announceRescuedMeasurements(&window, dataFolder); });
    return app.exec();
}
