#include "ui/analysis/PlotKind.h"

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

std::vector<FitKind> fitsShownWith(PlotKind kind) {
    switch (kind) {
    case PlotKind::Mobility:
        return {FitKind::MobilityExponent};
    case PlotKind::Gap:
        return {FitKind::GapSigma, FitKind::GapHall};
    case PlotKind::FieldHall:
        return {FitKind::HallFromField};
    default:
        return {};
    }
}

} // namespace eh::analysis
