#pragma once
// The A4 report: a summary page with the fit results, every plot, and the tables.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/analysis/ChartFactory.h"

namespace eh::analysis {

// The warnings the report opens with: one for each series whose data no longer match
// its file.
QStringList staleNotes(const std::vector<PlotSeries>& series);

// The whole report as a PDF document, drawn in memory.
QByteArray reportBytes(const std::vector<PlotSeries>& series, const FitSettings& settings);

// The report drawn and written to `path`; false with the reason in `error`.
bool writeReport(const QString& path, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 QString& error);

} // namespace eh::analysis
