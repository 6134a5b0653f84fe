// Tarvelo: the simulated semiconductor-physics bench.
#include <QApplication>

#include "app/FirstPaintProbe.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    eh::markProcessStart();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarvelo.Tarvelo"));

    eh::EH window;
    eh::installFirstPaintProbe(app, [&window] { eh::driveIdleScenario(window.model()); });
    window.showMaximized();
    return app.exec();
}
