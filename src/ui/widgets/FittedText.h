#pragma once
// One line of text drawn inside a box. A text wider than its box is drawn condensed
// (narrowed, never cut), so the whole of it always shows.

#include <QRect>
#include <QString>
#include <Qt>

class QPainter;

namespace eh {

// Draws `text` with the painter's font and pen in `box`, aligned by `align`.
void drawFittedText(QPainter& p, const QRect& box, Qt::Alignment align, const QString& text);

// How much `text` is narrowed to fit `width` pixels in the painter's font: 1 when it fits.
qreal fittingScale(const QPainter& p, int width, const QString& text);

} // namespace eh
