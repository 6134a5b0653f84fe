#include "ui/widgets/Bevel.h"

#include <QPainter>

namespace eh {

void drawBevel(QPainter& p, const QRect& r, bool sunken) {
    const QColor outerLight(224, 224, 224), innerLight(Qt::white);
    const QColor outerDark(64, 64, 64), innerDark(128, 128, 128);
    for (int i = 0; i < 2; ++i) {
        const QRect b = r.adjusted(i, i, -i - 1, -i - 1);
        const QColor light = i == 0 ? outerLight : innerLight;
        const QColor dark = i == 0 ? outerDark : innerDark;
        p.setPen(sunken ? dark : light);
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(sunken ? light : dark);
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    }
}

} // namespace eh
