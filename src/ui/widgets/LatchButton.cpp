#include "ui/widgets/LatchButton.h"

#include <QIcon>
#include <QPainter>

namespace eh {

LatchButton::LatchButton(const QIcon& picture, const QSize& pictureSize, QWidget* parent)
    : QAbstractButton(parent) {
    setIcon(picture);
    setIconSize(pictureSize);
    setFocusPolicy(Qt::TabFocus);
}

void LatchButton::setLatched(bool down) {
    if (down == latched_) return;
    latched_ = down;
    update();
}

void LatchButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    // Down while latched or while the mouse holds it.
    const bool sunken = latched_ || isDown();
    p.fillRect(r, sunken ? QColor(208, 208, 208) : QColor(192, 192, 192));
    const QColor light = Qt::white, shade(128, 128, 128), dark(64, 64, 64);
    const QRect outer = r.adjusted(0, 0, -1, -1), inner = r.adjusted(1, 1, -2, -2);
    p.setPen(sunken ? dark : light);
    p.drawLine(outer.topLeft(), outer.topRight());
    p.drawLine(outer.topLeft(), outer.bottomLeft());
    p.setPen(sunken ? light : dark);
    p.drawLine(outer.bottomLeft(), outer.bottomRight());
    p.drawLine(outer.topRight(), outer.bottomRight());
    p.setPen(sunken ? shade : QColor(224, 224, 224));
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(sunken ? QColor(224, 224, 224) : shade);
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());

    const QPixmap picture = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    QRect place(QPoint(0, 0), iconSize());
    place.moveCenter(r.center());
    if (sunken) place.translate(1, 1);
    p.drawPixmap(place, picture);
    if (focus_.visible(*this)) drawFocusFrame(p, r.adjusted(3, 3, -3, -3));
}

void LatchButton::focusInEvent(QFocusEvent* event) {
    focus_.focusIn(event);
    QAbstractButton::focusInEvent(event);
}

void LatchButton::keyPressEvent(QKeyEvent* event) {
    focus_.keyPressed();
    update();
    QAbstractButton::keyPressEvent(event);
}

} // namespace eh
