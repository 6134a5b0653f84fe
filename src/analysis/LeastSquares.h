#pragma once
// Least-squares straight line y = intercept + slope * x: ordinary, or weighted by the
// standard uncertainties of the ordinates.

#include <optional>
#include <span>

namespace eh::analysis {

struct LineFit {
    double slope = 0, intercept = 0;
    double slopeError = 0, interceptError = 0; // standard errors
    double rSquared = 0;
    double residualSd = 0;
    int points = 0;
};

// Nothing with fewer than 3 points (no standard error can be given), when all x
// are equal, or when a sum overflows. Sums are taken about the means, which keeps large offsets harmless.
std::optional<LineFit> fitLine(std::span<const double> x, std::span<const double> y);

} // namespace eh::analysis

namespace eh::analysis {

// Weighted by 1/sigma^2: the errors are those the stated sigmas give (not scaled by the
// scatter), rSquared is the weighted one and residualSd the rms of residual/sigma.
// Nothing as fitLine, or when a sigma is not positive and finite.
std::optional<LineFit> fitLineWeighted(std::span<const double> x, std::span<const double> y,
                                       std::span<const double> sigma);

} // namespace eh::analysis
