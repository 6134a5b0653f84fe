#include "ui/widgets/BenchButton.h"

namespace eh {

BenchButton::BenchButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setCaptionColor(QColor(192, 0, 0));
    // The bench is operated with the mouse; keyboard focus would leave a focus frame
    // on the small buttons.
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
}

void BenchButton::setCaptionColor(const QColor& color) {
    QPalette pal = palette();
    // Only the enabled groups: a disabled button keeps the style's greyed caption.
    pal.setColor(QPalette::Active, QPalette::ButtonText, color);
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    setPalette(pal);
}

} // namespace eh
