#include "ui/widgets/Readout.h"

#include <QPainter>

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

void Readout::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    // Drawn here rather than as a QFrame border, which would take the text colour.
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace eh
