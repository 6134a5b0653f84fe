#include "ui/widgets/InfoIcon.h"

#include <QMouseEvent>
#include <QPainter>

namespace eh {

InfoIcon::InfoIcon(const QString& picture, QWidget* parent) : QWidget(parent), renderer_(picture) {
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
}

void InfoIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    renderer_.render(&p, QRectF(rect()));
}

void InfoIcon::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void InfoIcon::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

} // namespace eh
