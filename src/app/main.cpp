// Tarvelo: the simulated semiconductor-physics bench.
#include <QApplication>

#include "app/FirstPaintProbe.h"
#include "ui/BenchFonts.h"
#include "ui/MainWindow.h"
#include "ui/SpanishTranslations.h"

int main(int argc, char* argv[]) {
    eh::markProcessStart();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarvelo.Tarvelo"));
    // The bench's own default font for every widget and dialog, so that no other
    // family has to be looked up and loaded.
    QApplication::setFont(eh::defaultBenchFont());
    eh::installSpanishTranslations(app);

    eh::EH window;
    eh::installFirstPaintProbe(app, [&window] { eh::driveIdleScenario(window.model()); });
    window.showMaximized();
    return app.exec();
}
