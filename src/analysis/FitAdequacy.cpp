#include "analysis/FitAdequacy.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace eh::analysis {

std::size_t distinctReadings(std::span<const double> values, double step) {
    // Rounded as doubles: a reading past the range of an integer still counts once.
    std::vector<double> shown(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) shown[i] = std::round(values[i] / step);
    std::sort(shown.begin(), shown.end());
    return static_cast<std::size_t>(std::unique(shown.begin(), shown.end()) - shown.begin());
}

double resolutionLimitedShare(std::span<const double> values, double step) {
    if (values.empty()) return std::numeric_limits<double>::infinity();
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const double span = *hi - *lo;
    return span > 0 ? step / span : std::numeric_limits<double>::infinity();
}

std::optional<double> reducedChiSquare(std::span<const double> x, std::span<const double> y,
                                       std::span<const double> sigma, double intercept, double slope) {
    const std::size_t n = x.size();
    if (n < 3 || y.size() != n || sigma.size() != n) return std::nullopt;
    double chi2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = (y[i] - intercept - slope * x[i]) / sigma[i];
        chi2 += r * r;
    }
    const double reduced = chi2 / double(n - 2);
    if (!std::isfinite(reduced)) return std::nullopt;
    return reduced;
}

} // namespace eh::analysis
