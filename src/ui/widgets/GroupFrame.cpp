#include "ui/widgets/GroupFrame.h"

#include <QPainter>

#include "ui/widgets/FittedText.h"

namespace eh {
namespace {

constexpr int kCaptionIndent = 6;

} // namespace

GroupFrame::GroupFrame(const QString& caption, const QColor& captionColor, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, captionColor);
    setPalette(pal);
}

void GroupFrame::setBackground(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm(font());
    // The border runs through the middle of the caption's line.
    const int top = fm.height() / 2;
    const QRect box = rect().adjusted(0, top, -2, -2);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(box);
    p.setPen(Qt::white);
    p.drawLine(box.left() + 1, box.top() + 1, box.right() - 1, box.top() + 1);
    p.drawLine(box.left() + 1, box.top() + 1, box.left() + 1, box.bottom() - 1);
    p.drawLine(box.left(), box.bottom() + 1, box.right() + 1, box.bottom() + 1);
    p.drawLine(box.right() + 1, box.top(), box.right() + 1, box.bottom() + 1);

    stubs_.paint(p);

    if (!caption_.isEmpty()) {
        const int width = fm.horizontalAdvance(caption_);
        // Kept clear of the right border; a longer caption is narrowed to fit.
        const QRect label(kCaptionIndent, 0, qMin(width, rect().width() - 2 * kCaptionIndent), fm.height());
        // The caption interrupts the border on the background of the frame's surface.
        p.fillRect(label, palette().color(backgroundRole()));
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        drawFittedText(p, label, Qt::AlignLeft | Qt::AlignTop, caption_);
    }
}

} // namespace eh
