#include "ui/info/SvgPicture.h"

#include <QImageReader>
#include <QPainter>

namespace eh {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), resource_(resource) {}

bool SvgPicture::isValid() const {
    return QImageReader(resource_).canRead();
}

void SvgPicture::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (renderedFor_ != pixels) {
        // Rendered from the vector data at the final size rather than scaled as a bitmap.
        renderedFor_ = pixels;
        QImageReader reader(resource_);
        reader.setScaledSize(pixels);
        rendered_ = reader.read();
        rendered_.setDevicePixelRatio(ratio);
    }
    if (rendered_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QRectF(rect()), rendered_);
}

} // namespace eh
