#include "ui/widgets/Panel3D.h"

#include <QPainter>

#include "ui/widgets/Bevel.h"

namespace eh {
namespace {

const QColor kPanelGrey(192, 192, 192);
const QColor kCaptionRed(192, 0, 0);
constexpr int kBevel = 2;

} // namespace

Panel3D::Panel3D(const QString& caption, Qt::Alignment captionPlace, QWidget* parent)
    : QFrame(parent), caption_(caption), place_(captionPlace) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelGrey);
    pal.setColor(QPalette::WindowText, kCaptionRed);
    setPalette(pal);
    setAutoFillBackground(true);
}

void Panel3D::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    drawBevel(p, r);
    stubs_.paint(p);
    if (!caption_.isEmpty()) {
        // Placed by its full advance, blanks included: the captions use leading and
        // trailing blanks to keep clear of the bevel.
        const QFontMetrics fm(font());
        const int width = fm.horizontalAdvance(caption_);
        const QRect area = r.adjusted(kBevel + 1, kBevel + 1, -kBevel - 1, 0);
        int x = area.left();
        if (place_ & Qt::AlignHCenter)
            x = area.left() + (area.width() - width) / 2;
        else if (place_ & Qt::AlignRight)
            x = area.right() + 1 - width;
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        p.drawText(x, area.top() + fm.ascent(), caption_);
    }
}

} // namespace eh
