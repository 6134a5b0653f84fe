#pragma once
// Turns a press and a release of the left button inside a widget into one click, as
// push buttons do: a release outside the widget cancels the click.

#include <QMouseEvent>
#include <QRect>

namespace eh {

class ClickTracker {
public:
    void press(QMouseEvent* event) {
        pressed_ = event->button() == Qt::LeftButton;
        event->accept();
    }

    // True when this release completes a click inside `area`.
    bool release(QMouseEvent* event, const QRect& area) {
        const bool click =
            pressed_ && event->button() == Qt::LeftButton && area.contains(event->position().toPoint());
        pressed_ = false;
        event->accept();
        return click;
    }

private:
    bool pressed_ = false;
};

} // namespace eh
