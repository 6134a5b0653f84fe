#pragma once
// The two-pixel 3-D border of the bench's panels and fields.

class QPainter;
class QRect;

namespace eh {

// Raised: lit along the top and left, shaded along the bottom and right, drawn just
// inside `r`. Sunken: the same border with light and shade exchanged.
void drawBevel(QPainter& p, const QRect& r, bool sunken = false);

} // namespace eh
