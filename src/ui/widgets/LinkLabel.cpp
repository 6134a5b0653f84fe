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

// True when the caption shows as it is: on one line, or wrapped onto lines that all
// fit the height.
bool LinkLabel::wrapsToFit() const {
    const QFontMetrics fm(font());
    const QRect box = contentsRect();
    if (fm.horizontalAdvance(text_) <= box.width()) return true;
    if (!wordWrap_) return false;
    const QRect wrapped = fm.boundingRect(QRect(0, 0, box.width(), 1 << 20), Qt::TextWordWrap, text_);
    return wrapped.height() <= box.height();
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    if (wrapsToFit())
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
