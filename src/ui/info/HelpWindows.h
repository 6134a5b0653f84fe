#pragma once
// Opening the help windows from the main window. Each call creates the window afresh, places
// it for `mainWindow`, shows it modally and returns once it has been closed and destroyed;
// the main window's timers keep ticking meanwhile.

#include "ui/info/SampleDimensions.h"

class QWidget;

namespace eh {

void showInfo1(QWidget* mainWindow);                                         // switch box
void showInfo2(QWidget* mainWindow);                                         // electromagnet
void showInfo3(QWidget* mainWindow, const SampleDimensions& selectedSample); // samples
void showInfo4(QWidget* mainWindow);                                         // cryostat
void showInfo5(QWidget* mainWindow);                                         // measurement interface
void showAcerca(QWidget* mainWindow);

} // namespace eh
