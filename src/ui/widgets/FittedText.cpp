#include "ui/widgets/FittedText.h"

#include <QFontMetricsF>
#include <QPainter>

namespace eh {

qreal fittingScale(const QPainter& p, int width, const QString& text) {
    const QFontMetricsF metrics(p.font());
    // No glyph is wider than the font's widest: a text that fits by that bound needs no
    // shaping to know it, which spares the first paint a second layout of every caption.
    if (text.size() * metrics.maxWidth() <= width) return 1.0;
    const qreal needed = metrics.horizontalAdvance(text);
    if (needed <= width || needed <= 0) return 1.0;
    return width > 0 ? width / needed : 0.0;
}

void drawFittedText(QPainter& p, const QRect& box, Qt::Alignment align, const QString& text) {
    const qreal scale = fittingScale(p, box.width(), text);
    if (scale >= 1.0) {
        p.drawText(box, static_cast<int>(align | Qt::TextSingleLine), text);
        return;
    }
    if (scale <= 0.0) return;
    // Narrowed about the box's left edge: the scaled text fills the box exactly, so the
    // horizontal alignment no longer matters.
    p.save();
    p.translate(box.left(), 0);
    p.scale(scale, 1.0);
    const QRectF wide(0, box.top(), box.width() / scale, box.height());
    p.drawText(wide,
               static_cast<int>((align & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft | Qt::TextSingleLine),
               text);
    p.restore();
}

} // namespace eh
