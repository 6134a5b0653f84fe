#include "ui/analysis/RangeChartView.h"

#include <QAbstractSeries>
#include <QContextMenuEvent>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>
#include <cmath>

namespace eh::analysis {

namespace {

constexpr int kClickSlop = 3;         // pixels a click may move and stay a click
constexpr double kWheelFactor = 1.25; // per notch of the wheel

} // namespace

RangeChartView::RangeChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setCursor(Qt::CrossCursor);
    // Plots move their items on every zoom: an index of item bounds costs more than
    // it saves on a few hundred items.
    scene()->setItemIndexMethod(QGraphicsScene::NoIndex);
}

QPointF RangeChartView::chartPos(QPoint viewPos) const {
    return chart()->mapFromScene(mapToScene(viewPos));
}

double RangeChartView::axisValue(QPoint viewPos) const {
    const auto series = chart()->series();
    return chart()->mapToValue(chartPos(viewPos), series.isEmpty() ? nullptr : series.front()).x();
}

void RangeChartView::zoomAbout(QPointF centre, double factor) {
    if (!chart() || !(factor > 0)) return;
    const QRectF area = chart()->plotArea();
    const QPointF c = chart()->mapFromScene(mapToScene(centre.toPoint()));
    const QPointF at = area.contains(c) ? c : area.center();
    chart()->zoomIn(QRectF(at - (at - area.topLeft()) / factor, area.size() / factor));
    emit viewMoved();
}

void RangeChartView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool left = event->button() == Qt::LeftButton, middle = event->button() == Qt::MiddleButton;
    if (!chart() || !(left || middle) || !chart()->plotArea().contains(chartPos(at))) {
        // The chart view takes for granted that an item lies under every press.
        if (itemAt(at))
            QChartView::mousePressEvent(event);
        else
            event->ignore();
        return;
    }
    origin_ = last_ = at;
    if (middle || event->modifiers() & Qt::ControlModifier)
        drag_ = Drag::Pan;
    else if (event->modifiers() & Qt::ShiftModifier || !spanSelection_)
        drag_ = Drag::Zoom;
    else
        drag_ = Drag::Span;
    event->accept();
}

void RangeChartView::showBand(QPoint to) {
    if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    const QRectF plot = chart()->plotArea();
    const QRect whole = mapFromScene(chart()->mapToScene(plot)).boundingRect();
    QRect r = QRect(origin_, to).normalized();
    if (drag_ == Drag::Span) r = QRect(r.left(), whole.top(), r.width() + 1, whole.height());
    band_->setGeometry(r);
    band_->show();
}

void RangeChartView::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ == Drag::None) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (drag_ == Drag::Pan) {
        const QPoint d = at - last_;
        chart()->scroll(-d.x(), d.y());
        emit viewMoved();
    } else if ((at - origin_).manhattanLength() >= kClickSlop) {
        showBand(at);
    }
    last_ = at;
    event->accept();
}

void RangeChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_ == Drag::None) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    const Drag drag = std::exchange(drag_, Drag::None);
    if (band_) band_->hide();
    const QPoint end = event->position().toPoint();
    const bool moved =
        std::abs(end.x() - origin_.x()) >= kClickSlop || std::abs(end.y() - origin_.y()) >= kClickSlop;
    if (!moved && drag != Drag::Pan) {
        emit clicked(chartPos(end));
    } else if (drag == Drag::Span && std::abs(end.x() - origin_.x()) >= kClickSlop) {
        const double a = axisValue(origin_), b = axisValue(end);
        if (std::isfinite(a) && std::isfinite(b)) emit spanSelected(std::min(a, b), std::max(a, b));
    } else if (drag == Drag::Zoom && std::abs(end.x() - origin_.x()) >= kClickSlop &&
               std::abs(end.y() - origin_.y()) >= kClickSlop) {
        const QRectF r = QRectF(chartPos(origin_), chartPos(end)).normalized();
        chart()->zoomIn(r.intersected(chart()->plotArea()));
        emit viewMoved();
    }
    event->accept();
}

// A double click is two clicks, not a gesture of its own.
void RangeChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void RangeChartView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (!chart() || notches == 0) {
        QChartView::wheelEvent(event);
        return;
    }
    zoomAbout(event->position(), std::pow(kWheelFactor, notches));
    event->accept();
}

void RangeChartView::contextMenuEvent(QContextMenuEvent* event) {
    emit menuRequested(event->globalPos());
    event->accept();
}

} // namespace eh::analysis
