#pragma once
// Shared start-up of the fuzz targets: text drawing needs a QGuiApplication, and the
// fuzzers run without a display.

#include <QGuiApplication>

namespace eh::fuzz {

inline void startApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the fuzzer leaves through exit(), after the platform plugin is gone.
    static QGuiApplication* app = new QGuiApplication(*argc, *argv);
    (void)app;
}

} // namespace eh::fuzz
