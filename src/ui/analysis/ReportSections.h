#pragma once
// The parts of the report, in the order they are printed: the first page (who, when,
// which files and samples, the results), the figures with their fits and residuals,
// the formulas used, and the data tables.

#include <QDateTime>
#include <QString>
#include <vector>

#include "ui/analysis/ChartFactory.h"
#include "ui/analysis/ReportPages.h"

namespace eh::analysis {

// Who hands the report in, and when it was made.
struct ReportInfo {
    QString student;
    QString group;
    QDateTime made = QDateTime::currentDateTime();
};

void reportFirstPage(ReportPages& pages, const std::vector<PlotSeries>& series, const FitSettings& settings,
                     const ReportInfo& info);
void reportFigures(ReportPages& pages, const std::vector<PlotSeries>& series, const FitSettings& settings);
void reportFormulas(ReportPages& pages, const FitSettings& settings);
void reportData(ReportPages& pages, const std::vector<PlotSeries>& series);

// "muestra 1 (tipo n)" or, for an unknown sample, "muestra problema TWSH-3NKM" (its type
// is for the student to find), with the bar's dimensions.
QString reportSampleText(const Analysis& a);

} // namespace eh::analysis
