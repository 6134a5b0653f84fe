#pragma once
// The window layouts are measured in twips: at 96 dots per inch 15 of them make one
// device-independent pixel. A length that falls between two pixels goes to the nearer one.

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace eh {

constexpr int twipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
} // twips >= 0

constexpr QPoint pointFromTwips(int x, int y) {
    return {twipsToPixels(x), twipsToPixels(y)};
}

constexpr QSize sizeFromTwips(int width, int height) {
    return {twipsToPixels(width), twipsToPixels(height)};
}

constexpr QRect rectFromTwips(int left, int top, int width, int height) {
    return {pointFromTwips(left, top), sizeFromTwips(width, height)};
}

constexpr QLine lineFromTwips(int x1, int y1, int x2, int y2) {
    return {pointFromTwips(x1, y1), pointFromTwips(x2, y2)};
}

} // namespace eh
