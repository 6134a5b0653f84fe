#include "ui/widgets/LinkLabel.h"

#include <QMouseEvent>

namespace eh {

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::setTextColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, rect())) emit clicked();
}

} // namespace eh
