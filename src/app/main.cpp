// Tarvelo: the simulated semiconductor-physics bench.
#include <QApplication>

#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvelo"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarvelo.Tarvelo"));

    eh::EH window;
    window.showMaximized();
    return app.exec();
}
