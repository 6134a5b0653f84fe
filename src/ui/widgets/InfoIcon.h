#pragma once
// The information icon beside an instrument: a 32 by 32 picture that reports clicks,
// and Enter or Space while it has the keyboard focus.

#include <QWidget>

#include "ui/widgets/ClickTracker.h"
#include "ui/widgets/FocusCue.h"
#include "ui/widgets/Pictures.h"

namespace eh {

class InfoIcon : public QWidget {
    Q_OBJECT
public:
    InfoIcon(Picture picture, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Picture picture_;
    ClickTracker click_;
    FocusCue focus_;
};

} // namespace eh
