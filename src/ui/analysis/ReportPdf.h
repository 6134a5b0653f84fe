#pragma once
// The A4 report: a first page with who made it, the files, samples and results; every
// plot as a numbered figure with its fits and residuals; the formulas; the data tables.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/analysis/ChartFactory.h"
#include "ui/analysis/ReportSections.h"

class QPagedPaintDevice;

namespace eh::analysis {

// The warnings the report opens with: one for each series whose data no longer match
// its file.
QStringList staleNotes(const std::vector<PlotSeries>& series);

// The whole report drawn on `device` (a PDF writer or a printer), which it pages.
void drawReport(QPagedPaintDevice& device, const std::vector<PlotSeries>& series, const FitSettings& settings,
                const ReportInfo& info);

// The whole report as a PDF document, drawn in memory.
QByteArray reportBytes(const std::vector<PlotSeries>& series, const FitSettings& settings,
                       const ReportInfo& info = {});

// The report drawn and written to `path`; false with the reason in `error`.
bool writeReport(const QString& path, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 const ReportInfo& info, QString& error);

} // namespace eh::analysis
