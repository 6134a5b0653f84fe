#pragma once
// Where a window opens: the size it asks for or last had, but never larger than the
// screen's free area nor partly off it, so that a small or scaled screen shows every
// part of it.

#include <QRect>

namespace eh::analysis {

// `wanted` moved and shrunk into `available`, leaving room around it for the window's
// frame (`frame`: the frame's width at the sides and bottom, `title`: its height on top).
QRect fitToScreen(QRect wanted, const QRect& available, int frame = 8, int title = 32);

} // namespace eh::analysis
