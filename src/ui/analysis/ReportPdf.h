#pragma once
// The A4 report: a summary page with the fit results, every plot, and the tables.

#include <QString>
#include <vector>

#include "ui/analysis/ChartFactory.h"

namespace eh::analysis {

bool writeReport(const QString& path, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 QString& error);

} // namespace eh::analysis
