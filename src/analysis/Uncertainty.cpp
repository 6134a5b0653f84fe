#include "analysis/Uncertainty.h"

#include <algorithm>
#include <cmath>

namespace eh::analysis {

double fieldUncertaintyG(double fieldG) {
    // B = 1000 I - 10 I^2 rises to 25000 G at 50 A; below that, I = (1000 - sqrt(1e6 - 40 B)) / 20
    // and dB/dI = 1000 - 20 I = sqrt(1e6 - 40 B). A field past the law's top (a file from
    // another magnet) is known to its written gauss only.
    const double slope = fieldG < 25000 ? std::sqrt(1e6 - 40 * fieldG) : 0;
    const double fromCurrent = slope * roundingUncertainty(kMagnetCurrentStepA);
    return std::max(fromCurrent, roundingUncertainty(kFieldStepG));
}

double hallVoltageUncertaintyV(bool onePolarity) {
    const double one = roundingUncertainty(kVoltmeterStepV);
    return onePolarity ? one : one / std::sqrt(2.0);
}

} // namespace eh::analysis
