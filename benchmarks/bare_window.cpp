// The yardstick of the whole-program figures: the least a Qt Widgets program does to
// show a maximized window, built with the same flags as the simulator.
//   bare_window          one empty maximized window
//   bare_window --label  the same window with one label that a 100 ms timer rewrites
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

#include "app/FirstPaintProbe.h"

int main(int argc, char* argv[]) {
    eh::markProcessStart();
    QApplication app(argc, argv);
    eh::installFirstPaintProbe(app);

    QWidget window;
    QTimer timer;
    int ticks = 0;
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        auto* layout = new QVBoxLayout(&window);
        auto* label = new QLabel(QStringLiteral("0"), &window);
        layout->addWidget(label);
        timer.setInterval(100);
        QObject::connect(&timer, &QTimer::timeout, label, [&] { label->setText(QString::number(++ticks)); });
        timer.start();
    }
    window.showMaximized();
    return app.exec();
}
