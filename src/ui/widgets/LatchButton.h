#pragma once
// A two-state picture button. It does not toggle itself: a click only reports the
// press, and whoever owns the state (the bench) says whether it now stands down.
// Reached with Tab and pressed with Space.

#include <QAbstractButton>

#include "ui/widgets/FocusCue.h"

namespace eh {

class LatchButton : public QAbstractButton {
    Q_OBJECT
public:
    LatchButton(const QIcon& picture, const QSize& pictureSize, QWidget* parent = nullptr);

    bool isLatched() const { return latched_; }
    void setLatched(bool down);

    QSize sizeHint() const override { return iconSize() + QSize(8, 8); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    FocusCue focus_;
    bool latched_ = false;
};

} // namespace eh
