#include "ui/widgets/InfoIcon.h"

#include <QMouseEvent>
#include <QPainter>

namespace eh {

InfoIcon::InfoIcon(Picture picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
}

void InfoIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPicture(p, picture_, QRectF(rect()));
}

void InfoIcon::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void InfoIcon::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, rect())) emit clicked();
}

} // namespace eh
