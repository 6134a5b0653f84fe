#include "ui/analysis/ChartFactory.h"

#include <QLineSeries>
#include <cmath>
#include <functional>
#include <optional>

#include "analysis/Uncertainty.h"
#include "ui/analysis/FitText.h"

namespace eh::analysis {

PlotScales defaultScales(PlotKind kind) {
    switch (kind) {
    case PlotKind::Resistivity:
    case PlotKind::Hall:
        return {false, true};
    case PlotKind::Mobility:
        return {true, true};
    default:
        return {false, false};
    }
}

bool scalesSelectable(PlotKind kind) {
    return kind == PlotKind::Resistivity || kind == PlotKind::Hall || kind == PlotKind::Mobility;
}

bool plotUsesTemperatureAxis(PlotKind kind) {
    return kind != PlotKind::FieldHall;
}

double temperatureFromAxis(PlotKind kind, double x) {
    return kind == PlotKind::Gap ? 1000 / x : x;
}

namespace {

// Plots show at most about this many points of a series (every k-th record beyond):
// Qt Charts makes one item per point, and its cost grows much faster than the count,
// so a long file would take minutes to draw; the fits still use every record.
constexpr std::size_t kMaxPlotted = 1000;
std::size_t strideFor(std::size_t count) {
    return count <= kMaxPlotted ? 1 : (count + kMaxPlotted - 1) / kMaxPlotted;
}

constexpr double kMarkerSize = 7;

struct Point {
    double x, y, u;
};

// What one panel plots: a point per record, and how its fit's straight-line
// coordinates map onto the plot.
struct PanelPlan {
    QString title = {}, xTitle = {}, yTitle = {}, residualTitle = {};
    std::function<std::optional<Point>(const Analysis&, std::size_t)> point = {};
    std::optional<FitKind> fit = {};
    std::function<double(double plotX)> toFitX = [](double x) { return x; };
    std::function<QPointF(double fitX, double fitY)> fromFit = [](double x, double y) {
        return QPointF(x, y);
    };
    bool holesAsTriangles = false; // R_H > 0 drawn as triangles
    bool zeroInView = false;       // the field plot shows the origin
    bool opensOnFitRange = false;
};

const FitResult* fitOf(const Analysis& a, FitKind kind) {
    for (const FitResult& f : a.fits)
        if (f.kind == kind) return &f;
    return nullptr;
}

QString resultLine(const QString& label, const FitResult& f, bool several) {
    return several ? label + QStringLiteral(": ") + fitSummary(f) : fitSummary(f);
}

class PanelBuilder {
public:
    PanelBuilder(const PanelPlan& plan, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 PlotScales scales)
        : plan_(plan), series_(series), settings_(settings), scales_(scales) {}

    PlotPanel build();

private:
    struct Buckets {
        std::vector<std::pair<QPointF, std::size_t>> normal, holes, warned, leftOut;
        std::vector<ErrorBars::Bar> bars;
    };
    void collect(std::size_t file, Buckets& b);
    void addBucket(std::size_t file, const std::vector<std::pair<QPointF, std::size_t>>& points,
                   const QString& name, QScatterSeries::MarkerShape shape, double size, bool hollow);
    void addFitLines(std::size_t file, const FitResult& f);
    QChart* residuals() const;
    void setViews(PlotPanel& panel) const;

    const PanelPlan& plan_;
    const std::vector<PlotSeries>& series_;
    const FitSettings& settings_;
    PlotScales scales_;
    QChart* chart_ = nullptr;
    std::vector<MarkedPoints> marked_;
    Extent ex_, ey_;
    struct PendingLine {
        std::size_t file;
        std::vector<QPointF> points;
        bool dashed;
    };
    std::vector<PendingLine> lines_;
};

void PanelBuilder::collect(std::size_t file, Buckets& b) {
    const Analysis& a = *series_[file].analysis;
    const std::set<std::size_t>& out = leftOutOf(settings_, a.path);
    const std::size_t step = strideFor(a.derived.size());
    for (std::size_t k = 0; k < a.derived.size(); ++k) {
        const bool left = out.count(k) > 0;
        if (k % step != 0 && !left) continue;
        const std::optional<Point> p = plan_.point(a, k);
        if (!p || !std::isfinite(p->x) || !std::isfinite(p->y)) continue;
        const double y = plan_.holesAsTriangles ? std::fabs(p->y) : p->y;
        if ((scales_.logX && !(p->x > 0)) || (scales_.logY && !(y > 0))) continue;
        const QPointF at(p->x, y);
        if (left) b.leftOut.push_back({at, k});
        // Only records the Hall fits leave out get the warning's marker: mixed
        // conduction is marked in the table but those records are still fitted.
        else if ((a.derived[k].warnings & kHallMismatch) != 0)
            b.warned.push_back({at, k});
        else if (plan_.holesAsTriangles && p->y > 0)
            b.holes.push_back({at, k});
        else
            b.normal.push_back({at, k});
        b.bars.push_back({at.x(), at.y(), p->u});
        ex_.add(at.x());
        ey_.add(at.y());
    }
}

void PanelBuilder::addBucket(std::size_t file, const std::vector<std::pair<QPointF, std::size_t>>& points,
                             const QString& name, QScatterSeries::MarkerShape shape, double size,
                             bool hollow) {
    if (points.empty()) return;
    QScatterSeries* s = addMarkers(chart_, name, seriesColor(file), shape, size, hollow);
    MarkedPoints m{s, file, {}};
    QList<QPointF> xy;
    for (const auto& [p, record] : points) {
        xy << p;
        m.records.push_back(record);
    }
    s->replace(xy);
    marked_.push_back(std::move(m));
}

// The fitted line through its range, and dashed beyond it to the ends of the data.
void PanelBuilder::addFitLines(std::size_t file, const FitResult& f) {
    if (!f.line || f.x.empty()) return;
    double lo = plan_.fromFit(f.x.front(), 0).x(), hi = lo;
    for (double x : f.x) {
        const double p = plan_.fromFit(x, 0).x();
        lo = std::min(lo, p), hi = std::max(hi, p);
    }
    auto segment = [&](double from, double to, bool dashed) {
        if (!(to > from)) return;
        PendingLine l{file, {}, dashed};
        constexpr int kSteps = 40; // straight on every scale the user may choose
        for (int i = 0; i <= kSteps; ++i) {
            const double p = scales_.logX ? from * std::pow(to / from, double(i) / kSteps)
                                          : from + (to - from) * i / kSteps;
            const double fx = plan_.toFitX(p);
            l.points.push_back(plan_.fromFit(fx, f.line->intercept + f.line->slope * fx));
        }
        lines_.push_back(std::move(l));
    };
    segment(lo, hi, false);
    const double dataLo = plan_.zeroInView ? std::min(0.0, ex_.lo) : ex_.lo;
    segment(dataLo, lo, true);
    segment(hi, ex_.hi, true);
}

QChart* PanelBuilder::residuals() const {
    QChart* chart = newChart(QString());
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 0, 4, 2));
    Extent ex, ey;
    std::vector<std::pair<std::size_t, std::vector<ErrorBars::Bar>>> bars;
    for (std::size_t file = 0; file < series_.size(); ++file) {
        const FitResult* f = fitOf(*series_[file].analysis, *plan_.fit);
        if (!f || !f->line) continue;
        QScatterSeries* s =
            addMarkers(chart, series_[file].label, seriesColor(file), QScatterSeries::MarkerShapeCircle, 5);
        std::vector<ErrorBars::Bar> fileBars;
        for (std::size_t k = 0; k < f->x.size(); ++k) {
            const double x = plan_.fromFit(f->x[k], 0).x();
            const double r = f->y[k] - (f->line->intercept + f->line->slope * f->x[k]);
            s->append(x, r);
            ex.add(x);
            ey.add(r);
            const double u = k < f->sigma.size() ? f->sigma[k] : 0;
            fileBars.push_back({x, r, u});
            ey.add(r + u), ey.add(r - u);
        }
        bars.emplace_back(file, std::move(fileBars));
    }
    QLineSeries* zero = addLine(chart, QString(), QColor(90, 90, 90));
    if (!ex.empty()) zero->append({QPointF(ex.lo, 0), QPointF(ex.hi, 0)});
    ey.add(0);
    attachAxes(chart, QString(), scales_.logX, plan_.residualTitle, false);
    // A small panel: small print, so that its labels fit its height.
    for (QAbstractAxis* axis : chart->axes()) {
        const QFont font = scaledFont(axis->labelsFont(), 0.8);
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
    const double largest = std::max(std::fabs(ey.lo), std::fabs(ey.hi));
    const Extent x = padded(ex, 0.05, scales_.logX);
    setView(chart, {x.lo, x.hi, -1.15 * largest, 1.15 * largest});
    for (auto& [file, b] : bars) new ErrorBars(chart, seriesColor(file), std::move(b), 5);
    return chart;
}

void PanelBuilder::setViews(PlotPanel& panel) const {
    Extent wx = ex_, wy = ey_;
    if (plan_.zeroInView) wx.add(0), wy.add(0);
    for (const auto& l : lines_)
        for (const QPointF& p : l.points)
            if (plan_.zeroInView) wy.add(p.y());
    wx = padded(wx, 0.04, scales_.logX);
    wy = padded(wy, 0.06, scales_.logY);
    panel.whole = {wx.lo, wx.hi, wy.lo, wy.hi};
    panel.initial = panel.whole;
    if (!plan_.opensOnFitRange || wx.empty()) return;
    // The fit range with a margin of an eighth of it on each side, and the points in it.
    const Range r = settings_.gap;
    if (!(r.minK > 0) || !(r.maxK > r.minK)) return;
    const double lo = 1000 / r.maxK, hi = 1000 / r.minK, margin = (hi - lo) / 8;
    Extent vy;
    for (const MarkedPoints& m : marked_)
        for (const QPointF& p : m.series->points())
            if (p.x() >= lo - margin && p.x() <= hi + margin) vy.add(p.y());
    if (vy.empty()) return;
    vy = padded(vy, 0.08, false);
    panel.initial = {lo - margin, hi + margin, vy.lo, vy.hi};
}

PlotPanel PanelBuilder::build() {
    chart_ = newChart(plan_.title);
    const bool several = series_.size() > 1;
    std::vector<Buckets> buckets(series_.size());
    for (std::size_t file = 0; file < series_.size(); ++file) collect(file, buckets[file]);
    for (std::size_t file = 0; file < series_.size(); ++file) {
        const QString& label = series_[file].label;
        const Buckets& b = buckets[file];
        if (plan_.holesAsTriangles) {
            addBucket(file, b.normal, label + QStringLiteral(": R_H &lt; 0"),
                      QScatterSeries::MarkerShapeCircle, kMarkerSize, false);
            addBucket(file, b.holes, label + QStringLiteral(": R_H &gt; 0"),
                      QScatterSeries::MarkerShapeTriangle, kMarkerSize + 3, false);
        } else {
            addBucket(file, b.normal, label, QScatterSeries::MarkerShapeCircle, kMarkerSize, false);
        }
        addBucket(file, b.warned, label + QStringLiteral(": con aviso"),
                  QScatterSeries::MarkerShapeRotatedRectangle, kMarkerSize + 3, false);
        addBucket(file, b.leftOut, label + QStringLiteral(": fuera del ajuste"),
                  QScatterSeries::MarkerShapeCircle, kMarkerSize + 1, true);
    }
    QStringList results;
    std::vector<QColor> colors;
    if (plan_.fit)
        for (std::size_t file = 0; file < series_.size(); ++file) {
            const FitResult* f = fitOf(*series_[file].analysis, *plan_.fit);
            if (!f) continue;
            addFitLines(file, *f);
            results << resultLine(series_[file].label, *f, several);
            colors.push_back(seriesColor(file).darker(140));
        }
    // Lines after every marker, so that they are drawn above them.
    for (const PendingLine& l : lines_) {
        QLineSeries* s = addLine(chart_, QString(), seriesColor(l.file).darker(140), l.dashed);
        s->replace(QList<QPointF>(l.points.begin(), l.points.end()));
        hideFromLegend(chart_, s);
    }
    attachAxes(chart_, plan_.xTitle, scales_.logX, plan_.yTitle, scales_.logY);
    if (plan_.opensOnFitRange) {
        // Two panels share the height: a smaller vertical title still fits beside them.
        QAbstractAxis* y = verticalAxis(chart_);
        y->setTitleFont(scaledFont(y->titleFont(), 0.85));
    }
    PlotPanel panel;
    panel.chart = chart_;
    setViews(panel);
    setView(chart_, panel.initial);
    if (plan_.opensOnFitRange) addTemperatureScale(chart_);
    for (std::size_t file = 0; file < series_.size(); ++file)
        new ErrorBars(chart_, seriesColor(file), std::move(buckets[file].bars), kMarkerSize);
    setTitleWithResults(chart_, plan_.title, results, colors);
    panel.points = std::move(marked_);
    if (plan_.fit && !lines_.empty()) panel.residuals = residuals();
    return panel;
}

// The plans of each plot's panels.

std::optional<Point> resistivityPoint(const Analysis& a, std::size_t k) {
    const Derived& d = a.derived[k];
    if (!d.rhoOhmCm) return std::nullopt;
    return Point{a.data.records[k].temperatureK, *d.rhoOhmCm, d.uRhoOhmCm.value_or(0)};
}

std::optional<Point> hallPoint(const Analysis& a, std::size_t k) {
    const Derived& d = a.derived[k];
    if (!d.hallCm3C) return std::nullopt;
    return Point{a.data.records[k].temperatureK, *d.hallCm3C, d.uHallCm3C.value_or(0)};
}

std::optional<Point> mobilityPoint(const Analysis& a, std::size_t k) {
    const Derived& d = a.derived[k];
    if (!d.mobilityCm2Vs) return std::nullopt;
    return Point{a.data.records[k].temperatureK, *d.mobilityCm2Vs, d.uMobilityCm2Vs.value_or(0)};
}

std::optional<Point> lnSigmaPoint(const Analysis& a, std::size_t k) {
    const Derived& d = a.derived[k];
    if (!d.sigmaSCm || !d.rhoOhmCm) return std::nullopt;
    const double t = a.data.records[k].temperatureK;
    return Point{1000 / t, std::log(*d.sigmaSCm), d.uRhoOhmCm.value_or(0) / *d.rhoOhmCm};
}

std::optional<Point> lnHallPoint(const Analysis& a, std::size_t k) {
    const Derived& d = a.derived[k];
    if (!d.hallCm3C || *d.hallCm3C == 0) return std::nullopt;
    const double t = a.data.records[k].temperatureK;
    return Point{1000 / t, std::log(std::fabs(*d.hallCm3C) * t * std::sqrt(t)),
                 d.uHallCm3C.value_or(0) / std::fabs(*d.hallCm3C)};
}

// The field series the V_H(B) fit chose: its temperature window and its current.
std::optional<Point> fieldPoint(const Analysis& a, std::size_t k) {
    const FitResult* f = fitOf(a, FitKind::HallFromField);
    const Derived& d = a.derived[k];
    const Record& r = a.data.records[k];
    if (!f || f->used.empty() || !d.hallV || !f->range.contains(r.temperatureK)) return std::nullopt;
    const double current = a.data.records[f->used.front()].currentMa;
    if (std::fabs(r.currentMa - current) > 1e-6 * std::fabs(current)) return std::nullopt;
    return Point{r.fieldG, *d.hallV, hallVoltageUncertaintyV(d.onePolarity)};
}

QPointF gapFromFit(double x, double y) {
    return {1000 * x, y};
}
double gapToFit(double x) {
    return x / 1000;
}

std::vector<PanelPlan> plansOf(PlotKind kind, const FitSettings& settings) {
    switch (kind) {
    case PlotKind::Resistivity:
        return {{.title = QStringLiteral("Resistividad frente a la temperatura"),
                 .xTitle = QStringLiteral("T (K)"),
                 .yTitle = QStringLiteral("ρ (Ω·cm)"),
                 .point = resistivityPoint}};
    case PlotKind::Hall:
        return {{.title = QStringLiteral("Coeficiente de Hall |R_H| frente a la temperatura"),
                 .xTitle = QStringLiteral("T (K)"),
                 .yTitle = QStringLiteral("|R_H| (cm³/C)"),
                 .point = hallPoint,
                 .holesAsTriangles = true}};
    case PlotKind::Mobility:
        return {{.title = QStringLiteral("Movilidad Hall frente a la temperatura"),
                 .xTitle = QStringLiteral("T (K)"),
                 .yTitle = QStringLiteral("μ_H (cm²/(V·s))"),
                 .residualTitle = QStringLiteral("residuo"),
                 .point = mobilityPoint,
                 .fit = FitKind::MobilityExponent,
                 .toFitX = [](double t) { return std::log(t); },
                 .fromFit = [](double x, double y) { return QPointF(std::exp(x), std::exp(y)); }}};
    case PlotKind::Gap:
        return {{.title = QStringLiteral("ln σ frente a 1000/T (σ en S/cm)"),
                 .xTitle = QStringLiteral("1000/T (1/K)"),
                 .yTitle = QStringLiteral("ln σ"),
                 .residualTitle = QStringLiteral("residuo"),
                 .point = lnSigmaPoint,
                 .fit = FitKind::GapSigma,
                 .toFitX = gapToFit,
                 .fromFit = gapFromFit,
                 .opensOnFitRange = true},
                {.title = QStringLiteral("ln(|R_H|·T^3/2) frente a 1000/T (R_H en cm³/C, T en K)"),
                 .xTitle = QStringLiteral("1000/T (1/K)"),
                 // Rich text: narrower than "ln(|R_H|·T^3/2)", so it fits beside a short panel.
                 .yTitle = QStringLiteral("ln(|R<sub>H</sub>|T<sup>3/2</sup>)"),
                 .residualTitle = QStringLiteral("residuo"),
                 .point = lnHallPoint,
                 .fit = FitKind::GapHall,
                 .toFitX = gapToFit,
                 .fromFit = gapFromFit,
                 .opensOnFitRange = true}};
    case PlotKind::FieldHall:
        return {{.title = QStringLiteral("Tensión Hall frente al campo a %1 K")
                              .arg(cellText(settings.fieldTemperatureK)),
                 .xTitle = QStringLiteral("B (G)"),
                 .yTitle = QStringLiteral("V_H (V)"),
                 .residualTitle = QStringLiteral("residuo (V)"),
                 .point = fieldPoint,
                 .fit = FitKind::HallFromField,
                 .zeroInView = true}};
    }
    return {};
}

} // namespace

std::vector<PlotPanel> buildPanels(PlotKind kind, const std::vector<PlotSeries>& series,
                                   const FitSettings& settings, PlotScales scales) {
    if (!scalesSelectable(kind)) scales = defaultScales(kind);
    std::vector<PlotPanel> panels;
    for (const PanelPlan& plan : plansOf(kind, settings))
        panels.push_back(PanelBuilder(plan, series, settings, scales).build());
    return panels;
}

} // namespace eh::analysis
