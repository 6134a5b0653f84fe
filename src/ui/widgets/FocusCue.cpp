#include "ui/widgets/FocusCue.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace eh {

void FocusCue::focusIn(const QFocusEvent* event) {
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
        shown_ = true;
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        // Back from another window or a menu: the cue stays as it was.
        break;
    default:
        shown_ = false;
        break;
    }
}

bool FocusCue::visible(const QWidget& owner) const {
    return shown_ && owner.hasFocus();
}

bool FocusCue::activatedBy(QKeyEvent* event) {
    keyPressed();
    const int key = event->key();
    if (event->isAutoRepeat() || (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space))
        return false;
    event->accept();
    return true;
}

void drawFocusFrame(QPainter& p, const QRect& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

} // namespace eh
