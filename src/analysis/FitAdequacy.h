#pragma once
// Whether the points of a fit can determine its slope, and how well the line agrees
// with the points' uncertainties.

#include <cstddef>
#include <optional>
#include <span>

namespace eh::analysis {

// How many of `values` differ when read to `step`: the number of distinct readings a
// display of that step would have shown. Sorts a copy, no other allocation.
std::size_t distinctReadings(std::span<const double> values, double step);

// The smallest relative uncertainty a slope can have from abscissas read to `step`:
// one step over the span of `values` (infinite without a span).
double resolutionLimitedShare(std::span<const double> values, double step);

// Sum of squared residuals over sigma, divided by n - 2; nothing below 3 points.
std::optional<double> reducedChiSquare(std::span<const double> x, std::span<const double> y,
                                       std::span<const double> sigma, double intercept, double slope);

} // namespace eh::analysis
