#include "ui/analysis/FitText.h"

#include <QLocale>
#include <cmath>

#include "analysis/Analysis.h"

namespace eh::analysis {

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

QString valueWithUncertainty(double value, double uncertainty) {
    if (!(uncertainty > 0) || !std::isfinite(uncertainty)) return QString::number(value, 'g', 6);
    // Decimals that keep two significant digits of the uncertainty.
    const int decimals = std::max(0, 1 - static_cast<int>(std::floor(std::log10(uncertainty))));
    if (decimals > 12 || std::fabs(value) >= 1e7)
        return QString::number(value, 'g', 6) + QStringLiteral(" ± ") + QString::number(uncertainty, 'g', 2);
    return QString::number(value, 'f', decimals) + QStringLiteral(" ± ") +
           QString::number(uncertainty, 'f', decimals);
}

QString fitSummary(const FitResult& f) {
    const QString unit = QString::fromUtf8(fitUnit(f.kind));
    if (!f.value)
        return fitLabel(f.kind) + QStringLiteral(": sin ajuste (") + QString::fromStdString(f.note) + ")";
    QString text = fitLabel(f.kind) + QStringLiteral(" = ") + valueWithUncertainty(*f.value, *f.uncertainty);
    if (!unit.isEmpty()) text += QLatin1Char(' ') + unit;
    text += QStringLiteral("  (%1 puntos, R² = %2)").arg(f.used.size()).arg(f.line->rSquared, 0, 'f', 6);
    return text;
}

QString cellText(std::optional<double> value) {
    if (!value) return {};
    // The user's decimal separator, no group separators (a "9.000" is misread).
    static const QLocale locale = [] {
        QLocale l;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return locale.toString(*value, 'g', 7);
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
                .arg(a.data.records[order[k - 1]].temperatureK, 0, 'f', 1)
                .arg(a.data.records[order[k]].temperatureK, 0, 'f', 1);
    }
    return {};
}

} // namespace eh::analysis
