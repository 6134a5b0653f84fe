#pragma once
// Tells the user, at start-up, where the measurements of an ended session were kept,
// and when they cannot be kept where they belong.

#include <QStringList>
#include <QWidget>

namespace eh {

// Shows the message box when files were rescued into `folders` and not yet
// announced. They count as announced only once the box was closed, so that a program
// ended while it is on screen shows it again at the next start.
void announceRescuedMeasurements(QWidget* parent, const QStringList& folders);

// The data folder cannot be used: `text` says why and where the records go instead.
void warnAboutDataFolder(QWidget* parent, const QString& text);
inline constexpr const char* kDataFolderTitle = "CARPETA DE DATOS";

} // namespace eh
