#include "analysis/Analysis.h"

namespace eh::analysis {

void analyse(Analysis& a, const FitSettings& settings) {
    a.geometry = a.sampleCode.empty() ? sampleGeometry(a.sample) : unknownSampleGeometry(a.sampleCode);
    a.derived = deriveAll(a.data.records, a.geometry);
    markMixedConduction(a.derived, a.sampleCode.empty() ? plateauHallCm3C(a.sample)
                                                        : unknownSamplePlateauHallCm3C(a.sampleCode));
    a.fits = runAllFits(a.data.records, a.derived, a.geometry, settings, leftOutOf(settings, a.path));
}

} // namespace eh::analysis
