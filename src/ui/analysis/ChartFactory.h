#pragma once
// Builds the panels of each plot from the open series: the records as markers (left
// out ones hollow, ones with a warning of their own shape), error bars, the fitted
// lines with their results, and the residuals of each fit under its plot.

#include <vector>

#include "analysis/Analysis.h"
#include "ui/analysis/ChartParts.h"
#include "ui/analysis/PlotKind.h"
#include "ui/analysis/PlotPanel.h"

namespace eh::analysis {

struct PlotSeries {
    const Analysis* analysis;
    QString label;          // legend name: the file's name
    QString staleNote = {}; // said on a report when the data no longer match the file
};

// The panels of `kind` (two for the band gap, one for the others), each set to its
// initial view: the band gap opens on its fit range, the others on all the data.
std::vector<PlotPanel> buildPanels(PlotKind kind, const std::vector<PlotSeries>& series,
                                   const FitSettings& settings, PlotScales scales);
PlotScales defaultScales(PlotKind kind);
// Whether the user may switch the axes between linear and logarithmic: not on
// plots of logarithms against 1/T, nor for a voltage that changes sign.
bool scalesSelectable(PlotKind kind);

// The horizontal axis value of a temperature on the plot of `kind`, and back; a
// drag across a plot sets a temperature range through these. Plots whose
// horizontal axis is not a temperature give nothing.
bool plotUsesTemperatureAxis(PlotKind kind);
double temperatureFromAxis(PlotKind kind, double x);

} // namespace eh::analysis
