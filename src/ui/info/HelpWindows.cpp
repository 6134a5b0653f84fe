#include "ui/info/HelpWindows.h"

#include "ui/common/WindowPlacement.h"
#include "ui/info/Acerca.h"
#include "ui/info/Info1.h"
#include "ui/info/Info2.h"
#include "ui/info/Info3.h"
#include "ui/info/Info4.h"
#include "ui/info/Info5.h"

namespace eh {
namespace {

void runModal(QDialog& window, QWidget* mainWindow) {
    placeHelpWindow(&window, mainWindow);
    window.exec();
}

} // namespace

void showInfo1(QWidget* mainWindow) {
    Info1 window(mainWindow);
    runModal(window, mainWindow);
}

void showInfo2(QWidget* mainWindow) {
    Info2 window(mainWindow);
    runModal(window, mainWindow);
}

void showInfo3(QWidget* mainWindow, const SampleDimensions& selectedSample) {
    Info3 window(selectedSample, mainWindow);
    runModal(window, mainWindow);
}

void showInfo4(QWidget* mainWindow) {
    Info4 window(mainWindow);
    runModal(window, mainWindow);
}

void showInfo5(QWidget* mainWindow) {
    Info5 window(mainWindow);
    runModal(window, mainWindow);
}

void showAcerca(QWidget* mainWindow) {
    Acerca window(mainWindow);
    runModal(window, mainWindow);
}

} // namespace eh
