#include "ui/analysis/RangeChartView.h"

#include <QAbstractSeries>
#include <QMouseEvent>
#include <QRubberBand>
#include <cmath>

namespace eh::analysis {

RangeChartView::RangeChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setCursor(Qt::CrossCursor);
}

double RangeChartView::axisValue(QPoint viewPos) const {
    const QPointF scenePos = mapToScene(viewPos);
    const QPointF chartPos = chart()->mapFromScene(scenePos);
    const auto series = chart()->series();
    return chart()->mapToValue(chartPos, series.isEmpty() ? nullptr : series.front()).x();
}

void RangeChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !chart() ||
        !chart()->plotArea().contains(chart()->mapFromScene(mapToScene(event->position().toPoint())))) {
        QChartView::mousePressEvent(event);
        return;
    }
    origin_ = event->position().toPoint();
    dragging_ = true;
    if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    const QRectF plot = chart()->plotArea();
    band_->setGeometry(QRect(origin_.x(), int(plot.top()), 1, int(plot.height())));
    band_->show();
    event->accept();
}

void RangeChartView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    const QRectF plot = chart()->plotArea();
    const int x = event->position().toPoint().x();
    band_->setGeometry(
        QRect(std::min(x, origin_.x()), int(plot.top()), std::abs(x - origin_.x()) + 1, int(plot.height())));
    event->accept();
}

void RangeChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    band_->hide();
    const QPoint end = event->position().toPoint();
    // A click without a drag selects nothing.
    if (std::abs(end.x() - origin_.x()) >= 3) {
        const double a = axisValue(origin_), b = axisValue(end);
        if (std::isfinite(a) && std::isfinite(b)) emit spanSelected(std::min(a, b), std::max(a, b));
    }
    event->accept();
}

} // namespace eh::analysis
