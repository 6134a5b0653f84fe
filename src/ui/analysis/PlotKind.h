#pragma once
// The plots of the analysis window, in tab order.

#include <QString>
#include <vector>

#include "analysis/Fits.h"

namespace eh::analysis {

enum class PlotKind { Resistivity, Hall, Mobility, Gap, FieldHall };
inline constexpr PlotKind kAllPlots[] = {PlotKind::Resistivity, PlotKind::Hall, PlotKind::Mobility,
                                         PlotKind::Gap, PlotKind::FieldHall};

// Tab caption: "ρ(T)", "R_H(T)", "μ_H(T)", "Banda prohibida", "V_H(B)".
QString plotTitle(PlotKind kind);
// A short name for file names: "rho", "RH", "muH", "gap", "VH_B".
QString plotFileName(PlotKind kind);
// The fits whose results go with the plot: none, one, or the band gap's two.
std::vector<FitKind> fitsShownWith(PlotKind kind);

} // namespace eh::analysis
