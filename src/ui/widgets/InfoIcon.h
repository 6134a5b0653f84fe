#pragma once
// The information icon beside an instrument: a 32 by 32 picture that reports clicks.

#include <QSvgRenderer>
#include <QWidget>

#include "ui/widgets/ClickTracker.h"

namespace eh {

class InfoIcon : public QWidget {
    Q_OBJECT
public:
    InfoIcon(const QString& picture, QWidget* parent = nullptr);

    bool hasPicture() const { return renderer_.isValid(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSvgRenderer renderer_;
    ClickTracker click_;
};

} // namespace eh
