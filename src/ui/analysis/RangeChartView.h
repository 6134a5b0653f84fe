#pragma once
// A chart view that zooms (wheel, or a drag with Shift held), pans (a drag with the
// middle button or with Ctrl held), reports clicks on the plot, and on plots with a
// fit range turns a plain horizontal drag into a span of the horizontal axis.

#include <QChartView>
#include <QPoint>

class QRubberBand;

namespace eh::analysis {

class RangeChartView : public QChartView {
    Q_OBJECT
public:
    explicit RangeChartView(QWidget* parent = nullptr);

    // Whether a plain drag selects a span (otherwise it zooms, as with Shift).
    void setSpanSelection(bool on) { spanSelection_ = on; }
    // Zooms about `centre` (view coordinates) by `factor` (> 1 closer).
    void zoomAbout(QPointF centre, double factor);

signals:
    // Both ends in horizontal axis units, the smaller first.
    void spanSelected(double from, double to);
    // A click without a drag, in the chart's own coordinates.
    void clicked(QPointF chartPos);
    // The user zoomed or panned.
    void viewMoved();
    void menuRequested(QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Drag { None, Span, Zoom, Pan };
    QPointF chartPos(QPoint viewPos) const;
    double axisValue(QPoint viewPos) const;
    void showBand(QPoint to);

    QRubberBand* band_ = nullptr;
    QPoint origin_, last_;
    Drag drag_ = Drag::None;
    bool spanSelection_ = false;
};

} // namespace eh::analysis
