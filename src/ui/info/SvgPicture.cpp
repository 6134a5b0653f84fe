#include "ui/info/SvgPicture.h"

#include <QPainter>

namespace eh {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), renderer_(resource) {}

void SvgPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderer_.render(&painter, QRectF(rect()));
}

} // namespace eh
