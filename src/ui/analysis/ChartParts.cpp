#include "ui/analysis/ChartParts.h"

#include <QFontMetricsF>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace eh::analysis {

void Extent::add(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
}

QColor seriesColor(std::size_t index) {
    static const QColor colors[] = {QColor(0, 90, 181), QColor(220, 50, 32), QColor(0, 140, 70),
                                    QColor(150, 60, 170), QColor(230, 140, 0)};
    return colors[index % std::size(colors)];
}

QFont scaledFont(QFont font, double factor) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
    return font;
}

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setLocalizeNumbers(true);
    // Decimal comma like every other number the window and the report show, whatever the
    // system's language; no group separators (a "9.000" is misread).
    QLocale locale(QLocale::Spanish, QLocale::Spain);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    QLegend* legend = chart->legend();
    legend->setAlignment(Qt::AlignBottom);
    legend->setMarkerShape(QLegend::MarkerShapeFromSeries);
    legend->setShowToolTips(true); // full names of entries cut short
    return chart;
}

QScatterSeries* addMarkers(QChart* chart, const QString& name, QColor color,
                           QScatterSeries::MarkerShape shape, double size, bool hollow) {
    auto* s = new QScatterSeries;
    s->setName(name);
    s->setMarkerShape(shape);
    s->setMarkerSize(size);
    s->setColor(hollow ? QColor(Qt::white) : color);
    QPen border(color);
    border.setWidthF(hollow ? 1.6 : 1);
    s->setPen(border);
    chart->addSeries(s);
    return s;
}

QLineSeries* addLine(QChart* chart, const QString& name, QColor color, bool dashed) {
    auto* l = new QLineSeries;
    l->setName(name);
    QPen pen(color);
    pen.setWidthF(2);
    if (dashed) pen.setStyle(Qt::DashLine);
    l->setPen(pen);
    // Series added later are drawn above the earlier ones: lines go last.
    chart->addSeries(l);
    return l;
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* m : chart->legend()->markers(series)) m->setVisible(false);
}

namespace {

QAbstractAxis* axisAt(const QChart* chart, Qt::Alignment where) {
    for (QAbstractAxis* a : chart->axes())
        if (a->alignment() == where) return a;
    return nullptr;
}

// A tick step of 1, 2 or 5 times a power of ten giving about `ticks` intervals.
double niceStep(double span, int ticks) {
    const double raw = span / ticks;
    const double power = std::pow(10, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

// Ticks at round multiples of a round step whatever the range, labels with the
// step's decimals: never a rounding residue such as 5.55e-17 at zero.
void retick(QValueAxis* axis, double lo, double hi) {
    if (!(hi > lo)) return;
    const double step = niceStep(hi - lo, 6);
    axis->setTickType(QValueAxis::TicksDynamic);
    // The axis finds its ticks by adding the step up from the lowest, so the one at
    // zero may come out as -3e-17 and read "-0,0": an anchor a billionth of a step
    // above zero keeps it positive, invisibly.
    axis->setTickAnchor(step * 1e-9);
    axis->setTickInterval(step);
    const int decimals = std::clamp(-int(std::floor(std::log10(step) + 1e-9)), 0, 9);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

// Plain numbers while they stay short, otherwise every label in powers of ten: no
// "1e+06" among plain labels.
void retick(QLogValueAxis* axis, double lo, double hi) {
    // Labels stand at the powers of the base: powers of 2 (64, 128, 256, 512 K)
    // where powers of 10 would leave one label or none.
    axis->setBase(hi / lo < 30 ? 2 : 10);
    const bool plain = lo >= 1e-4 && hi <= 1e5;
    axis->setLabelFormat(plain ? QStringLiteral("%.6g") : QStringLiteral("%.0e"));
}

void axisRange(const QAbstractAxis* axis, double& lo, double& hi) {
    if (auto* v = qobject_cast<const QValueAxis*>(axis)) lo = v->min(), hi = v->max();
    if (auto* l = qobject_cast<const QLogValueAxis*>(axis)) lo = l->min(), hi = l->max();
}

QAbstractAxis* makeAxis(const QString& title, bool log) {
    QAbstractAxis* axis = nullptr;
    if (log) {
        auto* l = new QLogValueAxis;
        l->setBase(10);
        l->setMinorTickCount(0);
        QObject::connect(l, &QLogValueAxis::rangeChanged, l,
                         [l](double lo, double hi) { retick(l, lo, hi); });
        axis = l;
    } else {
        auto* v = new QValueAxis;
        QObject::connect(v, &QValueAxis::rangeChanged, v, [v](double lo, double hi) { retick(v, lo, hi); });
        axis = v;
    }
    axis->setTitleText(title);
    axis->setTruncateLabels(false); // a label cut to "..." says nothing
    return axis;
}

} // namespace

void setAxisRange(QAbstractAxis* axis, double lo, double hi) {
    if (!(hi > lo)) return;
    // Ticks for the new range first: the axis lays itself out as soon as its range
    // changes, and the step of a much smaller range would make it millions of labels.
    if (auto* v = qobject_cast<QValueAxis*>(axis)) {
        retick(v, lo, hi);
        v->setRange(lo, hi);
    }
    if (auto* l = qobject_cast<QLogValueAxis*>(axis); l && lo > 0) {
        retick(l, lo, hi);
        l->setRange(lo, hi);
    }
}

void onRangeChanged(QAbstractAxis* axis, QObject* context, const std::function<void(double, double)>& call) {
    if (auto* v = qobject_cast<QValueAxis*>(axis))
        QObject::connect(v, &QValueAxis::rangeChanged, context, call);
    if (auto* l = qobject_cast<QLogValueAxis*>(axis))
        QObject::connect(l, &QLogValueAxis::rangeChanged, context, call);
}

void attachAxes(QChart* chart, const QString& xTitle, bool logX, const QString& yTitle, bool logY) {
    QAbstractAxis* x = makeAxis(xTitle, logX);
    QAbstractAxis* y = makeAxis(yTitle, logY);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

QAbstractAxis* horizontalAxis(const QChart* chart) {
    return axisAt(chart, Qt::AlignBottom);
}

QAbstractAxis* verticalAxis(const QChart* chart) {
    return axisAt(chart, Qt::AlignLeft);
}

ViewRange viewOf(const QChart* chart) {
    ViewRange v;
    if (QAbstractAxis* x = horizontalAxis(chart)) axisRange(x, v.xMin, v.xMax);
    if (QAbstractAxis* y = verticalAxis(chart)) axisRange(y, v.yMin, v.yMax);
    return v;
}

void setView(QChart* chart, const ViewRange& view) {
    if (QAbstractAxis* x = horizontalAxis(chart)) setAxisRange(x, view.xMin, view.xMax);
    if (QAbstractAxis* y = verticalAxis(chart)) setAxisRange(y, view.yMin, view.yMax);
}

Extent padded(const Extent& e, double share, bool log) {
    if (e.empty()) return e;
    if (log) {
        if (!(e.lo > 0)) return e;
        const double factor = std::pow(std::max(e.hi / e.lo, 10.0), share);
        return Extent{e.lo / factor, e.hi * factor};
    }
    const double pad = e.hi > e.lo ? (e.hi - e.lo) * share : std::max(std::fabs(e.hi) * 0.1, 1e-12);
    return Extent{e.lo - pad, e.hi + pad};
}

namespace {

// Kelvin marks inside the top edge of the plot area of a 1000/T axis: ticks down from
// the edge, round temperatures under them and the unit at the right. Drawn by hand:
// a second horizontal axis of the charts library spoils the labels of the first.
class TemperatureScale : public QGraphicsObject {
public:
    explicit TemperatureScale(QChart* chart) : QGraphicsObject(chart), chart_(chart) {
        setZValue(15);
        connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
            prepareGeometryChange();
            area_ = area;
        });
        prepareGeometryChange();
        area_ = chart->plotArea();
        onRangeChanged(horizontalAxis(chart), this, [this](double, double) { update(); });
    }
    QRectF boundingRect() const override { return area_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const ViewRange view = viewOf(chart_);
        if (!(view.xMin > 0) || !(view.xMax > view.xMin)) return;
        const double tLo = 1000 / view.xMax, tHi = 1000 / view.xMin;
        const double step = niceStep(tHi - tLo, 6);
        painter->save();
        painter->setClipRect(area_);
        const QFont font = scaledFont(painter->font(), 0.85);
        painter->setFont(font);
        const QFontMetricsF metrics(font);
        painter->setPen(QColor(90, 90, 90));
        const QString unit = QStringLiteral("T (K)");
        const double unitLeft = area_.right() - metrics.horizontalAdvance(unit) - 4;
        painter->drawText(QPointF(unitLeft, area_.top() + 8 + metrics.ascent()), unit);
        for (double t = std::ceil(tLo / step) * step; t <= tHi; t += step) {
            const double x = chart_->mapToPosition(QPointF(1000 / t, view.yMin)).x();
            painter->drawLine(QPointF(x, area_.top()), QPointF(x, area_.top() + 6));
            const QString label = QString::number(t, 'f', 0);
            const double width = metrics.horizontalAdvance(label);
            if (x + width / 2 > unitLeft - 4) continue; // keeps clear of the unit
            painter->drawText(QPointF(x - width / 2, area_.top() + 8 + metrics.ascent()), label);
        }
        painter->restore();
    }

private:
    QChart* chart_;
    QRectF area_;
};

} // namespace

void addTemperatureScale(QChart* chart) {
    if (horizontalAxis(chart)) new TemperatureScale(chart);
}

ErrorBars::ErrorBars(QChart* chart, QColor color, std::vector<Bar> bars, double markerSize)
    : QGraphicsObject(chart), chart_(chart), color_(color), bars_(std::move(bars)), markerSize_(markerSize) {
    // The scene indexes items by their bounds: they change only through
    // prepareGeometryChange, never behind its back.
    connect(chart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        prepareGeometryChange();
        area_ = area;
    });
    prepareGeometryChange();
    area_ = chart->plotArea();
    for (QAbstractAxis* a : chart->axes()) onRangeChanged(a, this, [this](double, double) { update(); });
}

QRectF ErrorBars::boundingRect() const {
    return area_;
}

int ErrorBars::visibleCount() const {
    int n = 0;
    for (const Bar& b : bars_) {
        const QPointF top = chart_->mapToPosition(QPointF(b.x, b.y + b.u));
        const QPointF centre = chart_->mapToPosition(QPointF(b.x, b.y));
        n += std::fabs(centre.y() - top.y()) > markerSize_ / 2 && chart_->plotArea().contains(centre);
    }
    return n;
}

void ErrorBars::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF area = chart_->plotArea();
    painter->save();
    painter->setClipRect(area);
    QPen pen(color_);
    pen.setWidthF(1.2);
    painter->setPen(pen);
    for (const Bar& b : bars_) {
        const QPointF centre = chart_->mapToPosition(QPointF(b.x, b.y));
        QPointF top = chart_->mapToPosition(QPointF(b.x, b.y + b.u));
        QPointF bottom = chart_->mapToPosition(QPointF(b.x, b.y - b.u));
        if (!std::isfinite(bottom.y())) bottom = QPointF(centre.x(), area.bottom()); // below 0 on a log axis
        // A bar hidden inside its marker is not drawn.
        if (!(std::fabs(centre.y() - top.y()) > markerSize_ / 2)) continue;
        painter->drawLine(top, bottom);
        painter->drawLine(top + QPointF(-3, 0), top + QPointF(3, 0));
        painter->drawLine(bottom + QPointF(-3, 0), bottom + QPointF(3, 0));
    }
    painter->restore();
}

void setTitleWithResults(QChart* chart, const QString& title, const QStringList& lines,
                         const std::vector<QColor>& colors) {
    // The chart cuts a title line wider than itself, and two lines a result would
    // squeeze the band gap's panels: one line each, in smaller print.
    QString html = title.toHtmlEscaped();
    for (qsizetype i = 0; i < lines.size(); ++i)
        html +=
            QStringLiteral("<br><span style='font-weight:normal; font-size:small; color:%1'>%2</span>")
                .arg(std::size_t(i) < colors.size() ? colors[std::size_t(i)].name() : QStringLiteral("#000"),
                     lines[i].toHtmlEscaped());
    chart->setTitle(html);
}

} // namespace eh::analysis
