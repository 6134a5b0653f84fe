#pragma once
// The four fits a course asks of the data: the band gap from the conductivity and
// from the Hall coefficient, the temperature exponent of the mobility, and the Hall
// coefficient from the field dependence at one temperature.

#include <optional>
#include <string>
#include <vector>

#include "analysis/DataReader.h"
#include "analysis/LeastSquares.h"
#include "analysis/Quantities.h"

namespace eh::analysis {

enum class FitKind { GapSigma, GapHall, MobilityExponent, HallFromField };
inline constexpr FitKind kAllFits[] = {FitKind::GapSigma, FitKind::GapHall, FitKind::MobilityExponent,
                                       FitKind::HallFromField};

const char* fitName(FitKind kind); // gap_sigma, gap_hall, exponente_movilidad, RH_campo
const char* fitUnit(FitKind kind); // eV, eV, "", cm3/C

// Temperature range of a fit, ends included.
struct Range {
    double minK = 0, maxK = 0;
    bool contains(double t) const { return t >= minK && t <= maxK; }
};

struct FitSettings {
    Range gap{500, 800};
    Range mobility{100, 300};
    double fieldTemperatureK = 300; // RH_campo: records within +-1 K of it
};
inline constexpr double kFieldFitHalfWidthK = 1;

// The plotted coordinates of one fit's points, the indexes of the records used,
// the straight line through them and the quantity it gives.
struct FitResult {
    FitKind kind{};
    Range range;                   // as applied
    std::vector<std::size_t> used; // indexes into the records
    std::vector<double> x, y;
    std::optional<LineFit> line;
    std::optional<double> value, uncertainty;
    std::string note; // why there is no value, in Spanish
};

FitResult runFit(FitKind kind, const std::vector<Record>& records, const std::vector<Derived>& derived,
                 const Geometry& g, const FitSettings& settings);

std::vector<FitResult> runAllFits(const std::vector<Record>& records, const std::vector<Derived>& derived,
                                  const Geometry& g, const FitSettings& settings);

} // namespace eh::analysis
