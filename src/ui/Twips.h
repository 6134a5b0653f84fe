#pragma once
// The bench layout is measured in twips: 15 of them make one device-independent pixel.

#include <QPoint>
#include <QRect>

namespace eh {

constexpr int twipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
} // rounded, twips >= 0

constexpr QPoint pointFromTwips(int x, int y) {
    return {twipsToPixels(x), twipsToPixels(y)};
}

constexpr QRect rectFromTwips(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace eh
