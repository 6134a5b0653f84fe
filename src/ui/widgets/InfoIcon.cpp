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
    click_.press(event);
}

void InfoIcon::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, rect())) emit clicked();
}

} // namespace eh
