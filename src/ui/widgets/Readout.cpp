#include "ui/widgets/Readout.h"

#include <QPainter>

#include "ui/widgets/FittedText.h"

namespace eh {

Readout::Readout(const QFont& font, Qt::Alignment alignment, QWidget* parent) : QLabel(parent) {
    setFont(font);
    setContentsMargins(1, 1, 1, 1);
    setAlignment(alignment | Qt::AlignTop);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
}

void Readout::setTextColor(const QColor& color) {
    if (color == textColor()) return;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void Readout::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(textColor());
    // A number wider than the box (10.00 A in the magnet readouts) is narrowed rather
    // than cut: a cut leading digit would read as another number.
    drawFittedText(p, contentsRect(), alignment(), text());
    // Drawn here rather than as a QFrame border, which would take the text colour.
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace eh
