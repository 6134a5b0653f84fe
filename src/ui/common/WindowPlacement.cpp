#include "ui/common/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace eh {
namespace {

// Smallest shift that keeps [start, start + length) inside [areaStart, areaStart + areaLength);
// when it cannot fit, the start wins.
int clampSpan(int start, int length, int areaStart, int areaLength) {
    const int maxStart = areaStart + areaLength - length;
    if (start > maxStart) start = maxStart;
    if (start < areaStart) start = areaStart;
    return start;
}

// A window that was never shown has no frame yet; both windows are ordinary decorated
// top-levels, so then the main window's decorations tell what the help window's will be.
QSize decorationSize(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {frame.width() - client.width(), frame.height() - client.height()};
}

} // namespace

QPoint helpWindowPosition(QSize ownFrameSize, QSize mainFrameSize, QRect availableArea) {
    const int left = availableArea.left() + (mainFrameSize.width() - ownFrameSize.width()) / 2;
    const int top = availableArea.top() + (mainFrameSize.height() - ownFrameSize.height()) / 2;
    return {clampSpan(left, ownFrameSize.width(), availableArea.left(), availableArea.width()),
            clampSpan(top, ownFrameSize.height(), availableArea.top(), availableArea.height())};
}

void placeHelpWindow(QWidget* window, const QWidget* mainWindow) {
    const QScreen* screen = mainWindow->screen();
    const QRect area =
        screen ? screen->availableGeometry() : QRect(QPoint(0, 0), mainWindow->frameGeometry().size());
    QSize decorations = decorationSize(window);
    if (decorations.isNull()) decorations = decorationSize(mainWindow);
    const QSize ownFrame = window->size() + decorations;
    window->move(helpWindowPosition(ownFrame, mainWindow->frameGeometry().size(), area));
}

} // namespace eh
