#pragma once
// Where a help window opens: centred on a rectangle of the main window's outer size laid at
// the top-left corner of the available screen area, then pulled back inside that area.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace eh {

// Top-left corner of the help window's frame. Sizes are outer sizes (frame and title bar
// included). A window larger than `availableArea` keeps its top-left corner in view.
QPoint helpWindowPosition(QSize ownFrameSize, QSize mainFrameSize, QRect availableArea);

// Moves the not yet shown `window` to its place for `mainWindow`, on the screen that the
// main window is on.
void placeHelpWindow(QWidget* window, const QWidget* mainWindow);

} // namespace eh
