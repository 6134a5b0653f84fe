#pragma once
// Builds the Qt Charts plot of each tab from the open series: data points, the points
// a fit used (highlighted), and the fitted line.

#include <QChart>
#include <vector>

#include "analysis/Analysis.h"
#include "ui/analysis/PlotKind.h"

namespace eh::analysis {

struct PlotSeries {
    const Analysis* analysis;
    QString label;          // legend name: the file's name
    QString staleNote = {}; // said on a report when the data no longer match the file
};

// A new chart (owned by the caller) for `kind`. Every series gets its own colour.
QChart* buildChart(PlotKind kind, const std::vector<PlotSeries>& series, const FitSettings& settings);

// The horizontal axis value of a temperature on the plot of `kind`, and back; a
// drag across a plot sets a temperature range through these. Plots whose
// horizontal axis is not a temperature give nothing.
bool plotUsesTemperatureAxis(PlotKind kind);
double temperatureFromAxis(PlotKind kind, double x);

QColor seriesColor(std::size_t index);

} // namespace eh::analysis
