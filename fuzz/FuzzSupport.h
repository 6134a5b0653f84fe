#pragma once
// Shared parts of the fuzz targets: the application that text drawing needs (the fuzzers
// run without a display), and the showing of a document as the theory window shows it.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

namespace eh::fuzz {

inline void startApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the fuzzer leaves through exit(), after the platform plugin is gone.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
}

// Lays the document out at the theory window's text width and at a narrow and a very
// narrow one, and paints the first screen of each, as a reader opening the window sees.
inline void showFirstScreens(QTextDocument& doc) {
    static QImage screen(601, 369, QImage::Format_ARGB32_Premultiplied);
    for (const int width : {585, 120, 8}) {
        doc.setTextWidth(width);
        screen.fill(Qt::white);
        QPainter painter(&screen);
        doc.drawContents(&painter, QRectF(0, 0, screen.width(), screen.height()));
    }
}

} // namespace eh::fuzz
