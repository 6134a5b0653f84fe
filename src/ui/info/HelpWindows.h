#pragma once
// Opening the help windows from the main window. Each call creates the window afresh, places
// it for `mainWindow`, shows it modally and returns once it has been closed and destroyed;
// the main window's timers keep ticking meanwhile.

#include "ui/info/SamplesHelp.h"

class QWidget;

namespace eh {

void showSwitchBoxHelp(QWidget* mainWindow);
void showMagnetHelp(QWidget* mainWindow);
// `entry` loads an unknown sample from its code ("Muestra problema…").
void showSamplesHelp(QWidget* mainWindow, const SampleDimensions& selectedSample, SampleCodeEntry entry);
void showCryostatHelp(QWidget* mainWindow);
void showInterfaceHelp(QWidget* mainWindow);
void showAcerca(QWidget* mainWindow);

} // namespace eh
