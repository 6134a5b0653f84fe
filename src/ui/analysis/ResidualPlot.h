#pragma once
// A fit's residuals drawn small under its plot: what is left of each used point once
// the straight line is taken away, against the temperature (or the field), so that a
// curve in them shows a range that leaves the straight region.

#include <QColor>
#include <QPainter>
#include <QRectF>

#include "analysis/Analysis.h"

namespace eh::analysis {

// y − (a + b·x) of every point the fit used; empty without a line.
std::vector<double> fitResiduals(const FitResult& f);

// Draws the residuals of `f` (made from `a`'s records) into `target`.
void paintResiduals(QPainter& p, const QRectF& target, const Analysis& a, const FitResult& f,
                    const QColor& color);

} // namespace eh::analysis
