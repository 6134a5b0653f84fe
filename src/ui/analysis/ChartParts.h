#pragma once
// The pieces every plot is made of: axes whose labels read plainly, marker series,
// fit lines drawn above the markers, error bars, the temperature scale along the top
// of a 1000/T axis, and the fit results under the title.

#include <QChart>
#include <QFont>
#include <QGraphicsObject>
#include <QScatterSeries>
#include <functional>
#include <limits>
#include <vector>

#include "ui/analysis/PlotPanel.h"

class QAbstractAxis;
class QLineSeries;

namespace eh::analysis {

// The extent of what is plotted along one axis.
struct Extent {
    double lo = std::numeric_limits<double>::infinity(), hi = -std::numeric_limits<double>::infinity();
    void add(double v);
    bool empty() const { return lo > hi; }
};

QColor seriesColor(std::size_t index);

// A chart with the settings every plot shares: no animation, numbers in the user's
// notation, legend markers of the series' own shape.
QChart* newChart(const QString& title);
// `font` `factor` times as large, whether its size is set in points or in pixels.
QFont scaledFont(QFont font, double factor);

QScatterSeries* addMarkers(QChart* chart, const QString& name, QColor color,
                           QScatterSeries::MarkerShape shape, double size, bool hollow = false);
// A line above every marker of the chart; dashed for an extrapolation.
QLineSeries* addLine(QChart* chart, const QString& name, QColor color, bool dashed = false);
void hideFromLegend(QChart* chart, QAbstractSeries* series);

// Bottom and left axes, linear or logarithmic, attached to every series of the chart.
void attachAxes(QChart* chart, const QString& xTitle, bool logX, const QString& yTitle, bool logY);
QAbstractAxis* horizontalAxis(const QChart* chart); // the bottom one
QAbstractAxis* verticalAxis(const QChart* chart);
ViewRange viewOf(const QChart* chart);
// Sets both axes, with tick labels chosen for the new range.
void setView(QChart* chart, const ViewRange& view);
void setAxisRange(QAbstractAxis* axis, double lo, double hi);
// Calls `call(min, max)` whenever the linear or logarithmic `axis` changes range.
void onRangeChanged(QAbstractAxis* axis, QObject* context, const std::function<void(double, double)>& call);

// `e` widened by `share` of its width on each side (in decades on a log axis), so
// that no marker sits on the frame.
Extent padded(const Extent& e, double share, bool log);

// Kelvin marks along the top of a 1000/T axis, following it when it zooms or pans.
void addTemperatureScale(QChart* chart);

// Vertical error bars (value, its standard uncertainty) of one colour, drawn where
// they stand out of their marker at the plot's present scale.
class ErrorBars : public QGraphicsObject {
    Q_OBJECT
public:
    struct Bar {
        double x, y, u;
    };
    ErrorBars(QChart* chart, QColor color, std::vector<Bar> bars, double markerSize);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    // How many bars stand out of their markers at the present scale.
    int visibleCount() const;

private:
    QChart* chart_;
    QRectF area_;
    QColor color_;
    std::vector<Bar> bars_;
    double markerSize_;
};

// The title over the fit results, a line each in its series' colour: the results go
// wherever the plot goes, and never hide a marker.
void setTitleWithResults(QChart* chart, const QString& title, const QStringList& lines,
                         const std::vector<QColor>& colors);

} // namespace eh::analysis
