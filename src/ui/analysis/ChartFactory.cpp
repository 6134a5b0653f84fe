#include "ui/analysis/ChartFactory.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>
#include <limits>
#include <string_view>

namespace eh::analysis {

QString plotTitle(PlotKind kind) {
    switch (kind) {
    case PlotKind::Resistivity:
        return QStringLiteral("ρ(T)");
    case PlotKind::Hall:
        return QStringLiteral("R_H(T)");
    case PlotKind::Mobility:
        return QStringLiteral("μ_H(T)");
    case PlotKind::Gap:
        return QStringLiteral("Banda prohibida");
    case PlotKind::FieldHall:
        return QStringLiteral("V_H(B)");
    }
    return {};
}

QString plotFileName(PlotKind kind) {
    switch (kind) {
    case PlotKind::Resistivity:
        return QStringLiteral("rho");
    case PlotKind::Hall:
        return QStringLiteral("RH");
    case PlotKind::Mobility:
        return QStringLiteral("muH");
    case PlotKind::Gap:
        return QStringLiteral("gap");
    case PlotKind::FieldHall:
        return QStringLiteral("VH_B");
    }
    return {};
}

bool plotUsesTemperatureAxis(PlotKind kind) {
    return kind == PlotKind::Mobility || kind == PlotKind::Gap || kind == PlotKind::Resistivity ||
           kind == PlotKind::Hall;
}

double temperatureFromAxis(PlotKind kind, double x) {
    return kind == PlotKind::Gap ? 1000 / x : x;
}

QColor seriesColor(std::size_t index) {
    static const QColor colors[] = {QColor(0, 90, 181), QColor(220, 50, 32), QColor(0, 140, 70),
                                    QColor(150, 60, 170), QColor(230, 140, 0)};
    return colors[index % std::size(colors)];
}

namespace {

// Collects the extent of the data so that every axis is set from what is plotted.
struct Extent {
    double lo = std::numeric_limits<double>::infinity(), hi = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    bool empty() const { return lo > hi; }
};

// Plots show at most about this many points of a series (every k-th record beyond):
// Qt Charts makes one item per point, and its cost grows much faster than the count,
// so a long file would take minutes to draw; the fits still use every record.
constexpr std::size_t kMaxPlotted = 1000;
std::size_t strideFor(std::size_t count) {
    return count <= kMaxPlotted ? 1 : (count + kMaxPlotted - 1) / kMaxPlotted;
}

class Builder {
public:
    Builder(const std::vector<PlotSeries>& series, const FitSettings& settings)
        : series_(series), settings_(settings), chart_(new QChart) {
        chart_->setAnimationOptions(QChart::NoAnimation);
        chart_->legend()->setAlignment(Qt::AlignBottom);
        chart_->legend()->setShowToolTips(true); // full names of entries cut short
        chart_->setMargins(QMargins(4, 4, 4, 4));
    }

    QScatterSeries* scatter(const QString& name, QColor color, QScatterSeries::MarkerShape shape,
                            double size = 8, bool hollow = false) {
        auto* s = new QScatterSeries;
        s->setName(name);
        s->setMarkerShape(shape);
        s->setMarkerSize(size);
        s->setColor(hollow ? QColor(Qt::transparent) : color);
        s->setBorderColor(color);
        chart_->addSeries(s);
        return s;
    }
    QLineSeries* line(const QString& name, QColor color) {
        auto* l = new QLineSeries;
        l->setName(name);
        QPen pen(color);
        pen.setWidthF(2);
        l->setPen(pen);
        chart_->addSeries(l);
        return l;
    }
    void attach(QAbstractAxis* x, QAbstractAxis* y, QAbstractAxis* y2 = nullptr) {
        chart_->addAxis(x, Qt::AlignBottom);
        chart_->addAxis(y, Qt::AlignLeft);
        if (y2) chart_->addAxis(y2, Qt::AlignRight);
        for (QAbstractSeries* s : chart_->series()) {
            s->attachAxis(x);
            s->attachAxis(s->property("rightAxis").toBool() && y2 ? y2 : y);
        }
    }
    static QValueAxis* valueAxis(const QString& title, const Extent& e, bool padded = true,
                                 const char* format = "%.3g") {
        auto* a = new QValueAxis;
        a->setTitleText(title);
        a->setLabelFormat(QString::fromLatin1(format));
        if (!e.empty()) {
            const double pad = padded ? std::max((e.hi - e.lo) * 0.05, 1e-12) : 0;
            a->setRange(e.lo - pad, e.hi + pad);
            a->applyNiceNumbers();
            // Fixed decimals from the tick step, so that a tick at zero reads 0, not
            // a rounding residue such as 5.55e-17.
            if (std::string_view(format) == "%.3g") {
                const double step = (a->max() - a->min()) / std::max(1, a->tickCount() - 1);
                const int decimals = std::clamp(1 - int(std::floor(std::log10(step))), 0, 9);
                a->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
            }
        }
        return a;
    }
    static QLogValueAxis* logAxis(const QString& title, const Extent& e) {
        auto* a = new QLogValueAxis;
        a->setTitleText(title);
        a->setBase(10);
        a->setLabelFormat(QStringLiteral("%g"));
        a->setMinorTickCount(0);
        if (!e.empty() && e.lo > 0)
            a->setRange(std::pow(10, std::floor(std::log10(e.lo))),
                        std::pow(10, std::ceil(std::log10(e.hi))));
        return a;
    }
    // Removes the legend entries of helper series (highlights, fit lines).
    void hideFromLegend(QAbstractSeries* s) {
        for (QLegendMarker* m : chart_->legend()->markers(s)) m->setVisible(false);
    }

    QChart* resistivity();
    QChart* hall();
    QChart* mobility();
    QChart* gap();
    QChart* fieldHall();

private:
    const FitResult* fit(const Analysis& a, FitKind kind) const {
        for (const FitResult& f : a.fits)
            if (f.kind == kind) return &f;
        return nullptr;
    }

    const std::vector<PlotSeries>& series_;
    const FitSettings& settings_;
    QChart* chart_;
};

QChart* Builder::resistivity() {
    chart_->setTitle(QStringLiteral("Resistividad frente a la temperatura"));
    Extent ex, ey;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Analysis& a = *series_[i].analysis;
        auto* s = scatter(series_[i].label, seriesColor(i), QScatterSeries::MarkerShapeCircle);
        for (std::size_t k = 0, step = strideFor(a.derived.size()); k < a.derived.size(); k += step) {
            if (!a.derived[k].rhoOhmCm) continue;
            s->append(a.data.records[k].temperatureK, *a.derived[k].rhoOhmCm);
            ex.add(a.data.records[k].temperatureK);
            ey.add(*a.derived[k].rhoOhmCm);
        }
    }
    attach(valueAxis(QStringLiteral("T (K)"), ex, true, "%.0f"), logAxis(QStringLiteral("ρ (Ω·cm)"), ey));
    return chart_;
}

QChart* Builder::hall() {
    chart_->setTitle(QStringLiteral("Coeficiente de Hall |R_H| frente a la temperatura"));
    Extent ex, ey;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Analysis& a = *series_[i].analysis;
        auto* neg = scatter(series_[i].label + QStringLiteral(": R_H &lt; 0 (electrones)"), seriesColor(i),
                            QScatterSeries::MarkerShapeCircle);
        auto* pos = scatter(series_[i].label + QStringLiteral(": R_H &gt; 0 (huecos)"), seriesColor(i),
                            QScatterSeries::MarkerShapeTriangle, 10, true);
        for (std::size_t k = 0, step = strideFor(a.derived.size()); k < a.derived.size(); k += step) {
            if (!a.derived[k].hallCm3C) continue;
            const double rh = *a.derived[k].hallCm3C, t = a.data.records[k].temperatureK;
            (rh < 0 ? neg : pos)->append(t, std::fabs(rh));
            ex.add(t);
            ey.add(std::fabs(rh));
        }
    }
    attach(valueAxis(QStringLiteral("T (K)"), ex, true, "%.0f"),
           logAxis(QStringLiteral("|R_H| (cm³/C)"), ey));
    return chart_;
}

QChart* Builder::mobility() {
    chart_->setTitle(QStringLiteral("Movilidad Hall frente a la temperatura"));
    Extent ex, ey;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Analysis& a = *series_[i].analysis;
        auto* s = scatter(series_[i].label, seriesColor(i), QScatterSeries::MarkerShapeCircle, 6);
        for (std::size_t k = 0, step = strideFor(a.derived.size()); k < a.derived.size(); k += step) {
            if (!a.derived[k].mobilityCm2Vs) continue;
            s->append(a.data.records[k].temperatureK, *a.derived[k].mobilityCm2Vs);
            ex.add(a.data.records[k].temperatureK);
            ey.add(*a.derived[k].mobilityCm2Vs);
        }
        const FitResult* f = fit(a, FitKind::MobilityExponent);
        if (!f || f->used.empty()) continue;
        auto* used =
            scatter(QString(), seriesColor(i).darker(160), QScatterSeries::MarkerShapeRectangle, 11, true);
        for (std::size_t k = 0, step = strideFor(f->x.size()); k < f->x.size(); k += step)
            used->append(std::exp(f->x[k]), std::exp(f->y[k]));
        hideFromLegend(used);
        if (!f->line) continue;
        auto* l = line(QStringLiteral("ajuste μ_H = A·T^−%1").arg(*f->value, 0, 'f', 3),
                       seriesColor(i).darker(160));
        const double t0 = std::exp(f->x.front()), t1 = std::exp(f->x.back());
        for (int k = 0; k <= 20; ++k) {
            const double t = t0 * std::pow(t1 / t0, k / 20.0);
            l->append(t, std::exp(f->line->intercept + f->line->slope * std::log(t)));
        }
    }
    attach(logAxis(QStringLiteral("T (K)"), ex), logAxis(QStringLiteral("μ_H (cm²/(V·s))"), ey));
    return chart_;
}

QChart* Builder::gap() {
    chart_->setTitle(QStringLiteral("Banda prohibida: ln σ y ln(|R_H|·T^3/2) frente a 1000/T"));
    Extent ex, ey, ey2;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Analysis& a = *series_[i].analysis;
        const QColor c = seriesColor(i);
        auto* sigma =
            scatter(series_[i].label + QStringLiteral(": σ"), c, QScatterSeries::MarkerShapeCircle, 6);
        auto* hall = scatter(series_[i].label + QStringLiteral(": R_H (der.)"), c,
                             QScatterSeries::MarkerShapeTriangle, 8, true);
        hall->setProperty("rightAxis", true);
        for (std::size_t k = 0, step = strideFor(a.derived.size()); k < a.derived.size(); k += step) {
            const double t = a.data.records[k].temperatureK;
            if (a.derived[k].sigmaSCm) {
                sigma->append(1000 / t, std::log(*a.derived[k].sigmaSCm));
                ex.add(1000 / t);
                ey.add(std::log(*a.derived[k].sigmaSCm));
            }
            if (a.derived[k].hallCm3C) {
                const double v = std::log(std::fabs(*a.derived[k].hallCm3C) * t * std::sqrt(t));
                hall->append(1000 / t, v);
                ex.add(1000 / t);
                ey2.add(v);
            }
        }
        for (FitKind kind : {FitKind::GapSigma, FitKind::GapHall}) {
            const FitResult* f = fit(a, kind);
            if (!f || f->used.empty()) continue;
            const bool right = kind == FitKind::GapHall;
            auto* used = scatter(QString(), c.darker(170), QScatterSeries::MarkerShapeRectangle, 11, true);
            used->setProperty("rightAxis", right);
            for (std::size_t k = 0, step = strideFor(f->x.size()); k < f->x.size(); k += step)
                used->append(1000 * f->x[k], f->y[k]);
            hideFromLegend(used);
            if (!f->line) continue;
            // Fit lines in fixed colours, so that they stand out from the points; the
            // results are listed beside the plot, not in the legend.
            auto* l = line(QString(), right ? QColor(200, 0, 0) : QColor(Qt::black));
            l->setProperty("rightAxis", right);
            hideFromLegend(l);
            double lo = f->x.front(), hi = f->x.front();
            for (double x : f->x) lo = std::min(lo, x), hi = std::max(hi, x);
            for (double x : {lo, hi}) l->append(1000 * x, f->line->intercept + f->line->slope * x);
        }
    }
    attach(valueAxis(QStringLiteral("1000/T (1/K)"), ex), valueAxis(QStringLiteral("ln(σ / (S/cm))"), ey),
           valueAxis(QStringLiteral("ln(|R_H|·T^3/2 / (cm³/C·K^3/2))"), ey2));
    return chart_;
}

QChart* Builder::fieldHall() {
    chart_->setTitle(QStringLiteral("Tensión Hall frente al campo a %1 K").arg(settings_.fieldTemperatureK));
    Extent ex, ey;
    ex.add(0);
    ey.add(0);
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const Analysis& a = *series_[i].analysis;
        const FitResult* f = fit(a, FitKind::HallFromField);
        if (!f) continue;
        auto* s = scatter(series_[i].label, seriesColor(i), QScatterSeries::MarkerShapeCircle);
        for (std::size_t k = 0, step = strideFor(f->x.size()); k < f->x.size(); k += step) {
            s->append(f->x[k], f->y[k]);
            ex.add(f->x[k]);
            ey.add(f->y[k]);
        }
        if (!f->line) continue;
        auto* l = line(QStringLiteral("ajuste: R_H = %1 cm³/C").arg(*f->value, 0, 'g', 5),
                       seriesColor(i).darker(160));
        double hi = 0;
        for (double x : f->x) hi = std::max(hi, x);
        for (double x : {0.0, hi}) {
            l->append(x, f->line->intercept + f->line->slope * x);
            ey.add(f->line->intercept + f->line->slope * x);
        }
    }
    attach(valueAxis(QStringLiteral("B (G)"), ex, false, "%.0f"), valueAxis(QStringLiteral("V_H (V)"), ey));
    return chart_;
}

} // namespace

QChart* buildChart(PlotKind kind, const std::vector<PlotSeries>& series, const FitSettings& settings) {
    Builder b(series, settings);
    switch (kind) {
    case PlotKind::Resistivity:
        return b.resistivity();
    case PlotKind::Hall:
        return b.hall();
    case PlotKind::Mobility:
        return b.mobility();
    case PlotKind::Gap:
        return b.gap();
    case PlotKind::FieldHall:
        return b.fieldHall();
    }
    return b.resistivity();
}

} // namespace eh::analysis
