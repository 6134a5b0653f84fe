#pragma once
// Opening a course chapter from the main window's links.

#include <QString>

class QWidget;

namespace eh {

// Shows the chapter `fileName` ("Intro.rtf", …) in a fresh theory window, modally,
// and returns once it is closed. A chapter that is missing or unreadable is reported
// in a message box instead, and no window opens.
void showTeoria(QWidget* mainWindow, const QString& fileName);

} // namespace eh
