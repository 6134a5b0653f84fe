#pragma once
// The keyboard focus of the bench's controls. The focus frame, a dotted rectangle as
// the bench's buttons have always drawn it, shows only once the keyboard is in use:
// focus that arrives by Tab, or a key pressed on the focused control. A mouse user
// never sees it.

class QFocusEvent;
class QKeyEvent;
class QPainter;
class QRect;
class QWidget;

namespace eh {

class FocusCue {
public:
    void focusIn(const QFocusEvent* event);
    void keyPressed() { shown_ = true; }
    // For a link or an information icon: notes the key, and accepts and returns true
    // for a fresh press of Enter, Return or Space, the keys that open it.
    bool activatedBy(QKeyEvent* event);
    // True when `owner` has the focus and the frame is to be drawn.
    bool visible(const QWidget& owner) const;

private:
    bool shown_ = false;
};

// The dotted black frame just inside `r`.
void drawFocusFrame(QPainter& p, const QRect& r);

} // namespace eh
