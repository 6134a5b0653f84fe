#pragma once
// The keyboard focus of the bench's controls. The focus frame, a dotted rectangle as
// the bench's buttons have always drawn it, shows only once the keyboard is in use:
// focus that arrives by Tab, or a key pressed on the focused control. A mouse user
// never sees it.

class QFocusEvent;
class QPainter;
class QRect;
class QWidget;

namespace eh {

class FocusCue {
public:
    void focusIn(const QFocusEvent* event);
    void keyPressed() { shown_ = true; }
    // True when `owner` has the focus and the frame is to be drawn.
    bool visible(const QWidget& owner) const;

private:
    bool shown_ = false;
};

// Enter, Return or Space: the keys that open a link or an information icon.
bool isActivationKey(int key);

// The dotted black frame just inside `r`.
void drawFocusFrame(QPainter& p, const QRect& r);

} // namespace eh
