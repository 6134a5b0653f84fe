#include "ui/analysis/FitText.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

#include "analysis/Analysis.h"
#include "analysis/NumberText.h"

namespace eh::analysis {

namespace {

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

// The decimals an uncertainty's two significant figures reach.
int decimalsFor(double uncertainty) {
    return std::max(0, -secondFigurePlace(uncertainty));
}

const FitResult* findFit(const std::vector<FitResult>& fits, FitKind kind) {
    const auto it =
        std::find_if(fits.begin(), fits.end(), [&](const FitResult& f) { return f.kind == kind; });
    return it == fits.end() ? nullptr : &*it;
}

} // namespace

QString unitText(Unit unit) {
    switch (unit) {
    case Unit::None:
        return {};
    case Unit::ElectronVolt:
        return QStringLiteral("eV");
    case Unit::Kelvin:
        return QStringLiteral("K");
    case Unit::Volt:
        return QStringLiteral("V");
    case Unit::Milliampere:
        return QStringLiteral("mA");
    case Unit::Gauss:
        return QStringLiteral("G");
    case Unit::Resistivity:
        return QStringLiteral("Ω·cm");
    case Unit::Conductivity:
        return QStringLiteral("S/cm");
    case Unit::Hall:
        return QStringLiteral("cm³/C");
    case Unit::Density:
        return QStringLiteral("cm⁻³");
    case Unit::Mobility:
        return QStringLiteral("cm²/(V·s)");
    }
    return {};
}

Unit fitValueUnit(FitKind kind) {
    switch (kind) {
    case FitKind::GapSigma:
    case FitKind::GapHall:
        return Unit::ElectronVolt;
    case FitKind::MobilityExponent:
        return Unit::None;
    case FitKind::HallFromField:
        return Unit::Hall;
    }
    return Unit::None;
}

QString valueWithUncertainty(double value, double uncertainty) {
    return fromUtf8(valueWithUncertaintyText(value, uncertainty));
}

QString measurementText(double value, double uncertainty, Unit unit) {
    QString text = valueWithUncertainty(value, uncertainty);
    if (unit != Unit::None && std::isfinite(value)) text += QLatin1Char(' ') + unitText(unit);
    return text;
}

QString mobilityLawText(double exponent, std::optional<double> uncertainty) {
    if (!std::isfinite(exponent)) return QStringLiteral("μ_H ∝ T^?: ") + fromUtf8(numberText(exponent, 4));
    const bool usable = uncertainty && *uncertainty > 0 && std::isfinite(*uncertainty);
    // μ_H ∝ T^−p: the law's exponent is the fitted one with its sign turned.
    return QStringLiteral("μ_H ∝ T^") +
           fromUtf8(decimalText(-exponent, usable ? decimalsFor(*uncertainty) : 3));
}

QString fitLabel(FitKind kind) {
    switch (kind) {
    case FitKind::GapSigma:
        return QStringLiteral("E_g (σ)");
    case FitKind::GapHall:
        return QStringLiteral("E_g (R_H)");
    case FitKind::MobilityExponent:
        return QStringLiteral("exponente de μ_H");
    case FitKind::HallFromField:
        return QStringLiteral("R_H (campo)");
    }
    return {};
}

QString fitSummary(const FitResult& f) {
    if (!f.value || !f.uncertainty || !f.line)
        return fitLabel(f.kind) + QStringLiteral(": sin ajuste (") + QString::fromStdString(f.note) + ')';
    QString text = fitLabel(f.kind) + QStringLiteral(" = ") +
                   measurementText(*f.value, *f.uncertainty, fitValueUnit(f.kind));
    if (f.kind == FitKind::MobilityExponent)
        text += QStringLiteral(": ") + mobilityLawText(*f.value, f.uncertainty);
    const QString points =
        f.used.size() == 1 ? QStringLiteral("1 punto") : QStringLiteral("%1 puntos").arg(f.used.size());
    text += QStringLiteral("  (%1 entre %2 y %3 K, R² = %4)")
                .arg(points, fromUtf8(numberText(f.range.minK, 6)), fromUtf8(numberText(f.range.maxK, 6)),
                     fromUtf8(decimalText(f.line->rSquared, 6)));
    return text;
}

QString fitQualityText(const FitResult& f) {
    if (!f.value || !f.line) return {};
    QString text = f.chi2Reduced ? QStringLiteral("χ² reducido = ") + fromUtf8(numberText(*f.chi2Reduced, 2))
                                 : QStringLiteral("χ² reducido: sin valor");
    if (!f.weighted) return text + QStringLiteral("; mínimos cuadrados ordinarios");
    text += QStringLiteral("; mínimos cuadrados ponderados por 1/u²");
    // The weighted fit widens its uncertainty by √χ² when the points scatter more than
    // their uncertainties allow (analysis/Fits.cpp).
    if (f.chi2Reduced && *f.chi2Reduced > 1)
        text += QStringLiteral(", incertidumbre ampliada por √(χ² reducido)");
    return text;
}

QString interceptText(const FitResult& f) {
    if (f.kind != FitKind::HallFromField || !f.value || !f.intercept || !f.interceptUncertainty) return {};
    return QStringLiteral("ordenada en el origen: ") +
           measurementText(*f.intercept, *f.interceptUncertainty, Unit::Volt);
}

QString gapDifferenceText(const std::vector<FitResult>& fits) {
    const FitResult* sigma = findFit(fits, FitKind::GapSigma);
    const FitResult* hall = findFit(fits, FitKind::GapHall);
    if (!sigma && !hall) return {};
    const QString name = fitLabel(FitKind::GapSigma) + QStringLiteral(" − ") + fitLabel(FitKind::GapHall);
    const bool hasSigma = sigma && sigma->value, hasHall = hall && hall->value;
    if (!hasSigma || !hasHall) {
        const QString missing =
            !hasSigma && !hasHall
                ? QStringLiteral("faltan los dos ajustes")
                : QStringLiteral("falta ") + fitLabel(hasSigma ? FitKind::GapHall : FitKind::GapSigma);
        return name + QStringLiteral(": sin valor (") + missing + ')';
    }
    // An estimate of an error, so quoted as one: to two significant figures.
    const double difference = *sigma->value - *hall->value;
    const QString number = difference == 0
                               ? QStringLiteral("0")
                               : fromUtf8(decimalText(difference, decimalsFor(std::fabs(difference))));
    return name + QStringLiteral(" = ") + number +
           QStringLiteral(" eV: estimación del error sistemático del método");
}

QString cellText(std::optional<double> value, int significant) {
    if (!value) return {};
    const double v = *value;
    if (std::isfinite(v) && v == std::round(v) && std::fabs(v) < 1e9) return fromUtf8(decimalText(v, 0));
    return fromUtf8(numberText(v, significant));
}

QString leftOutText(const Analysis& a, const FitSettings& settings) {
    QStringList records;
    for (std::size_t k : leftOutOf(settings, a.path))
        if (k < a.data.records.size())
            records << QStringLiteral("n.º %1 (%2 K)")
                           .arg(cellText(a.data.records[k].number),
                                cellText(a.data.records[k].temperatureK, 4));
    return records.isEmpty() ? QString()
                             : QStringLiteral("Fuera de los ajustes: ") + records.join(QStringLiteral(", "));
}

QString signChangeText(const Analysis& a) {
    // Records in order of temperature; a change between neighbours with a Hall value.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < a.derived.size(); ++i)
        if (a.derived[i].hallCm3C) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return a.data.records[x].temperatureK < a.data.records[y].temperatureK;
    });
    for (std::size_t k = 1; k < order.size(); ++k) {
        const double r0 = *a.derived[order[k - 1]].hallCm3C, r1 = *a.derived[order[k]].hallCm3C;
        if ((r0 < 0) != (r1 < 0))
            return QStringLiteral("R_H cambia de signo entre %1 K y %2 K")
                .arg(fromUtf8(decimalText(a.data.records[order[k - 1]].temperatureK, 1)),
                     fromUtf8(decimalText(a.data.records[order[k]].temperatureK, 1)));
    }
    return {};
}

} // namespace eh::analysis
