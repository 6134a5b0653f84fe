#include "ui/widgets/InfoIcon.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace eh {

InfoIcon::InfoIcon(Picture picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void InfoIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPicture(p, picture_, QRectF(rect()));
    if (focus_.visible(*this)) drawFocusFrame(p, rect());
}

void InfoIcon::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void InfoIcon::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, rect())) emit clicked();
}

void InfoIcon::focusInEvent(QFocusEvent* event) {
    focus_.focusIn(event);
    update();
}

void InfoIcon::focusOutEvent(QFocusEvent*) {
    update();
}

void InfoIcon::keyPressEvent(QKeyEvent* event) {
    const bool activated = focus_.activatedBy(event);
    update();
    if (activated) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace eh
