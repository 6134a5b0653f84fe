#include "ui/widgets/Panel3D.h"

#include <QPainter>

#include "ui/widgets/Bevel.h"
#include "ui/widgets/FittedText.h"

namespace eh {
namespace {

const QColor kPanelGrey(192, 192, 192);
const QColor kCaptionRed(192, 0, 0);
constexpr int kBevel = 2;
// Clear space between a caption and a frame beside it.
constexpr int kCaptionGap = 2;

} // namespace

Panel3D::Panel3D(const QString& caption, Qt::Alignment captionPlace, QWidget* parent)
    : QFrame(parent), caption_(caption), place_(captionPlace) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelGrey);
    pal.setColor(QPalette::WindowText, kCaptionRed);
    setPalette(pal);
    setAutoFillBackground(true);
}

// The room the caption may take: the panel's top band, short of any widget standing
// in that band beside the caption's place.
QRect Panel3D::captionRoom(const QRect& area, int width, int height) const {
    int left = area.left(), right = area.right();
    const int nominal = captionLeft(area, width);
    const int middle = nominal + width / 2;
    for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        if (g.top() >= area.top() + height || g.bottom() < area.top()) continue;
        if (g.center().x() < middle)
            left = qMax(left, g.right() + 1 + kCaptionGap);
        else
            right = qMin(right, g.left() - 1 - kCaptionGap);
    }
    const int x = qBound(left, nominal, qMax(left, right + 1 - width));
    return QRect(x, area.top(), qMin(width, right + 1 - x), height);
}

int Panel3D::captionLeft(const QRect& area, int width) const {
    if (place_ & Qt::AlignHCenter) return area.left() + (area.width() - width) / 2;
    if (place_ & Qt::AlignRight) return area.right() + 1 - width;
    return area.left();
}

void Panel3D::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    drawBevel(p, r);
    stubs_.paint(p);
    if (caption_.isEmpty()) return;
    // Placed by its full advance, blanks included: the captions use leading and
    // trailing blanks to keep clear of the bevel.
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm(font());
    const QRect area = r.adjusted(kBevel + 1, kBevel + 1, -kBevel - 1, 0);
    const QRect room = captionRoom(area, fm.horizontalAdvance(caption_), fm.height());
    drawFittedText(p, room, Qt::AlignLeft | Qt::AlignTop, caption_);
}

} // namespace eh
