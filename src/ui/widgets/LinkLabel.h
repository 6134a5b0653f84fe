#pragma once
// A text link of the script frame: a plain label that reports a click anywhere on it.

#include <QLabel>

#include "ui/widgets/ClickTracker.h"

namespace eh {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& caption, QWidget* parent = nullptr);

    void setTextColor(const QColor& color);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickTracker click_;
};

} // namespace eh
