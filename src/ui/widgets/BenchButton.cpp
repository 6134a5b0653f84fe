#include "ui/widgets/BenchButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace eh {

BenchButton::BenchButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setCaptionColor(QColor(192, 0, 0));
    // Tab only: a mouse click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void BenchButton::setCaptionColor(const QColor& color) {
    QPalette pal = palette();
    // Only the enabled groups: a disabled button keeps the style's greyed caption.
    pal.setColor(QPalette::Active, QPalette::ButtonText, color);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    setPalette(pal);
}

void BenchButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style's own focus mark is replaced by the bench's dotted frame.
    option.state &= ~QStyle::State_HasFocus;
    p.drawControl(QStyle::CE_PushButton, option);
    if (focus_.visible(*this)) drawFocusFrame(p, rect().adjusted(3, 3, -3, -3));
}

void BenchButton::focusInEvent(QFocusEvent* event) {
    focus_.focusIn(event);
    QPushButton::focusInEvent(event);
}

void BenchButton::keyPressEvent(QKeyEvent* event) {
    focus_.keyPressed();
    update();
    QPushButton::keyPressEvent(event);
}

} // namespace eh
