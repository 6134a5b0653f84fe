#include "ui/widgets/Led.h"

#include <QPainter>

namespace eh {

Led::Led(const QColor& fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void Led::setFillColor(const QColor& color) {
    if (color == fill_) return;
    fill_ = color;
    update();
}

void Led::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill_);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace eh
