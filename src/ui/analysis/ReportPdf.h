#pragma once
// The A4 report: a summary page with the fit results, every plot, and the tables.

#include <QString>
#include <QStringList>
#include <vector>

#include "ui/analysis/ChartFactory.h"

namespace eh::analysis {

// The warnings the report opens with: one for each series whose data no longer match
// its file.
QStringList staleNotes(const std::vector<PlotSeries>& series);

bool writeReport(const QString& path, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 QString& error);

} // namespace eh::analysis
