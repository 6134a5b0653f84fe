#include "analysis/LeastSquares.h"

#include <cmath>

namespace eh::analysis {

std::optional<LineFit> fitLine(std::span<const double> x, std::span<const double> y) {
    const std::size_t n = x.size();
    if (n < 3 || y.size() != n) return std::nullopt;
    double meanX = 0, meanY = 0;
    for (std::size_t i = 0; i < n; ++i) {
        meanX += x[i];
        meanY += y[i];
    }
    meanX /= double(n);
    meanY /= double(n);
    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = x[i] - meanX, dy = y[i] - meanY;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    if (!(sxx > 0)) return std::nullopt;
    LineFit f;
    f.points = static_cast<int>(n);
    f.slope = sxy / sxx;
    f.intercept = meanY - f.slope * meanX;
    double rss = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = y[i] - (f.intercept + f.slope * x[i]);
        rss += r * r;
    }
    const double variance = rss / double(n - 2);
    f.residualSd = std::sqrt(variance);
    f.slopeError = std::sqrt(variance / sxx);
    f.interceptError = std::sqrt(variance * (1.0 / double(n) + meanX * meanX / sxx));
    f.rSquared = syy > 0 ? 1 - rss / syy : 1;
    // Sums that overflowed give no line rather than infinities or non-numbers.
    for (double v : {f.slope, f.intercept, f.slopeError, f.interceptError, f.rSquared})
        if (!std::isfinite(v)) return std::nullopt;
    return f;
}

std::optional<LineFit> fitLineWeighted(std::span<const double> x, std::span<const double> y,
                                       std::span<const double> sigma) {
    const std::size_t n = x.size();
    if (n < 3 || y.size() != n || sigma.size() != n) return std::nullopt;
    double sw = 0, meanX = 0, meanY = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!(sigma[i] > 0) || !std::isfinite(sigma[i])) return std::nullopt;
        const double w = 1 / (sigma[i] * sigma[i]);
        sw += w;
        meanX += w * x[i];
        meanY += w * y[i];
    }
    meanX /= sw;
    meanY /= sw;
    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = 1 / (sigma[i] * sigma[i]), dx = x[i] - meanX, dy = y[i] - meanY;
        sxx += w * dx * dx;
        sxy += w * dx * dy;
        syy += w * dy * dy;
    }
    if (!(sxx > 0)) return std::nullopt;
    LineFit f;
    f.points = static_cast<int>(n);
    f.slope = sxy / sxx;
    f.intercept = meanY - f.slope * meanX;
    double chi2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = (y[i] - (f.intercept + f.slope * x[i])) / sigma[i];
        chi2 += r * r;
    }
    f.residualSd = std::sqrt(chi2 / double(n - 2));
    f.slopeError = std::sqrt(1 / sxx);
    f.interceptError = std::sqrt(1 / sw + meanX * meanX / sxx);
    f.rSquared = syy > 0 ? 1 - chi2 / syy : 1;
    for (double v : {f.slope, f.intercept, f.slopeError, f.interceptError, f.rSquared})
        if (!std::isfinite(v)) return {};
    return f;
}

} // namespace eh::analysis
