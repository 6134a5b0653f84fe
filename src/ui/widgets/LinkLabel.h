#pragma once
// A text link of the script frame: a plain label that reports a click anywhere on it,
// and Enter or Space while it has the keyboard focus. A one-line link too long for
// its box is drawn narrowed rather than cut.

#include <QLabel>

#include "ui/widgets/ClickTracker.h"
#include "ui/widgets/FocusCue.h"

namespace eh {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& caption, QWidget* parent = nullptr);

    void setTextColor(const QColor& color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool wrapsToFit() const;

    ClickTracker click_;
    FocusCue focus_;
};

} // namespace eh
