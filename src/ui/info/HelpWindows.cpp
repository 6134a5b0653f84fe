#include "ui/info/HelpWindows.h"

#include "ui/common/WindowPlacement.h"
#include "ui/info/Acerca.h"
#include "ui/info/CryostatHelp.h"
#include "ui/info/InterfaceHelp.h"
#include "ui/info/MagnetHelp.h"
#include "ui/info/SamplesHelp.h"
#include "ui/info/SwitchBoxHelp.h"

namespace eh {
namespace {

void runModal(QDialog& window, QWidget* mainWindow) {
    placeHelpWindow(&window, mainWindow);
    window.exec();
}

} // namespace

void showSwitchBoxHelp(QWidget* mainWindow) {
    SwitchBoxHelp window(mainWindow);
    runModal(window, mainWindow);
}

void showMagnetHelp(QWidget* mainWindow) {
    MagnetHelp window(mainWindow);
    runModal(window, mainWindow);
}

void showSamplesHelp(QWidget* mainWindow, const SampleDimensions& selectedSample, SampleCodeEntry entry) {
    SamplesHelp window(selectedSample, mainWindow, std::move(entry));
    runModal(window, mainWindow);
}

void showCryostatHelp(QWidget* mainWindow) {
    CryostatHelp window(mainWindow);
    runModal(window, mainWindow);
}

void showInterfaceHelp(QWidget* mainWindow) {
    InterfaceHelp window(mainWindow);
    runModal(window, mainWindow);
}

void showAcerca(QWidget* mainWindow) {
    Acerca window(mainWindow);
    runModal(window, mainWindow);
}

} // namespace eh
