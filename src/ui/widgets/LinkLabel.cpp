#include "ui/widgets/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/FittedText.h"

namespace eh {

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::setTextColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

// True when the label shows its text as it is: on one line, or wrapped onto lines that
// all fit its height. Measured with the font alone: asking the label for its height
// from the paint event relays out its text document, which schedules another paint,
// and the window would repaint for ever.
bool LinkLabel::wrapsToFit() const {
    const QFontMetrics fm(font());
    const QRect box = contentsRect();
    if (fm.horizontalAdvance(text()) <= box.width()) return true;
    if (!wordWrap()) return false;
    const QRect wrapped = fm.boundingRect(QRect(0, 0, box.width(), 1 << 20), Qt::TextWordWrap, text());
    return wrapped.height() <= box.height();
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    if (wrapsToFit()) {
        QLabel::paintEvent(event);
    } else {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        drawFittedText(p, contentsRect(), alignment(), text());
    }
    if (focus_.visible(*this)) {
        QPainter p(this);
        drawFocusFrame(p, rect());
    }
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    click_.press(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.release(event, rect())) emit clicked();
}

void LinkLabel::focusInEvent(QFocusEvent* event) {
    focus_.focusIn(event);
    QLabel::focusInEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    const bool activated = focus_.activatedBy(event);
    update();
    if (activated) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace eh
