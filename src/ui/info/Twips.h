#pragma once
// The window layouts are measured in twips; at 96 dots per inch 15 twips make one pixel.

#include <QLine>
#include <QRect>
#include <QSize>

namespace eh {

constexpr int tw(int twips) {
    return twips / 15;
}

constexpr QRect twRect(int left, int top, int width, int height) {
    return {tw(left), tw(top), tw(width), tw(height)};
}

constexpr QSize twSize(int width, int height) {
    return {tw(width), tw(height)};
}

constexpr QLine twLine(int x1, int y1, int x2, int y2) {
    return {tw(x1), tw(y1), tw(x2), tw(y2)};
}

} // namespace eh
