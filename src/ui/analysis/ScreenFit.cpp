#include "ui/analysis/ScreenFit.h"

#include <algorithm>

namespace eh::analysis {

QRect fitToScreen(QRect wanted, const QRect& available, int frame, int title) {
    // The free area left for the window's contents once its frame is drawn around them.
    const QRect inner = available.adjusted(frame, title, -frame, -frame);
    wanted.setWidth(std::min(wanted.width(), inner.width()));
    wanted.setHeight(std::min(wanted.height(), inner.height()));
    wanted.moveLeft(std::clamp(wanted.left(), inner.left(), inner.right() + 1 - wanted.width()));
    wanted.moveTop(std::clamp(wanted.top(), inner.top(), inner.bottom() + 1 - wanted.height()));
    return wanted;
}

} // namespace eh::analysis
