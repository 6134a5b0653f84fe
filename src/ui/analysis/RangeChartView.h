#pragma once
// A chart view on which a horizontal drag selects a span of the horizontal axis.

#include <QChartView>
#include <QPoint>

class QRubberBand;

namespace eh::analysis {

class RangeChartView : public QChartView {
    Q_OBJECT
public:
    explicit RangeChartView(QWidget* parent = nullptr);

signals:
    // Both ends in horizontal axis units, the smaller first.
    void spanSelected(double from, double to);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double axisValue(QPoint viewPos) const;

    QRubberBand* band_ = nullptr;
    QPoint origin_;
    bool dragging_ = false;
};

} // namespace eh::analysis
