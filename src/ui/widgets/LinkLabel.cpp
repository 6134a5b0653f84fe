#include "ui/widgets/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/FittedText.h"

namespace eh {

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QWidget(parent), text_(caption) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(caption);
}

void LinkLabel::setAlignment(Qt::Alignment align) {
    align_ = align;
    update();
}

void LinkLabel::setWordWrap(bool on) {
    wordWrap_ = on;
    update();
}

void LinkLabel::setTextColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

// True when the caption shows as it is in the painter's font: on one line, or wrapped
// onto lines that all fit the height.
bool LinkLabel::wrapsToFit(const QPainter& p) const {
    const QRect box = contentsRect();
    if (fittingScale(p, box.width(), text_) >= 1.0) return true;
    if (!wordWrap_) return false;
    const QRect wrapped =
        QFontMetrics(p.font()).boundingRect(QRect(0, 0, box.width(), 1 << 20), Qt::TextWordWrap, text_);
    return wrapped.height() <= box.height();
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    if (wrapsToFit(p))
        p.drawText(contentsRect(),
                   static_cast<int>(align_ | (wordWrap_ ? Qt::TextWordWrap : Qt::Alignment())), text_);
    else
        drawFittedText(p, contentsRect(), align_, text_);
    if (focus_.visible(*this)) drawFocusFrame(p, rect());
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, rect())) emit clicked();
}

void LinkLabel::focusInEvent(QFocusEvent* event) {
    focus_.focusIn(event);
    QWidget::focusInEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    const bool activated = focus_.activatedBy(event);
    update();
    if (activated) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace eh
