#pragma once
// Writing plots to files (PNG, SVG, PDF) and painting them anywhere, e.g. on a report.

#include <QPainter>
#include <QString>
#include <vector>

#include "ui/analysis/ChartFactory.h"

namespace eh::analysis {

// Logical size at which plots are laid out for files and the report.
inline constexpr int kExportWidth = 1000;
inline constexpr int kExportHeight = 625;
// Height of a residual panel against that of the plot above it.
inline constexpr double kResidualShare = 0.3;

// Paints a freshly built plot of `kind`, every panel with its residuals (unless the
// caller draws them itself, as the report does), into `target` on `painter`, in the
// panels' initial views.
void paintPlot(QPainter& painter, const QRectF& target, PlotKind kind, const std::vector<PlotSeries>& series,
               const FitSettings& settings, bool withResiduals = true);

// The format follows the file's suffix: .png, .svg or .pdf (A4 landscape). False with
// a message for another suffix or a failed write.
bool exportPlot(const QString& path, PlotKind kind, const std::vector<PlotSeries>& series,
                const FitSettings& settings, QString& error);

} // namespace eh::analysis
