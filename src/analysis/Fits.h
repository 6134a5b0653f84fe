#pragma once
// The four fits a course asks of the data: the band gap from the conductivity and
// from the Hall coefficient, the temperature exponent of the mobility, and the Hall
// coefficient from the field dependence at one temperature.

#include <map>
#include <optional>
#include <set>
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

// Records the user left out of every fit, by the path of their data file: indexes
// into its records.
using LeftOutRecords = std::map<std::string, std::set<std::size_t>>;

// The field fit's temperature unless one is asked for. At it, a file with no field
// series there has the series it holds fitted instead, wherever it was measured (the
// fit's warning says where); a temperature asked for is kept to.
inline constexpr double kDefaultFieldTemperatureK = 300;

struct FitSettings {
    Range gap{500, 800};
    Range mobility{100, 300};
    double fieldTemperatureK = kDefaultFieldTemperatureK; // RH_campo: records within +-1 K of it
    bool weighted = false;                                // weighted least squares instead of ordinary
    bool includeWarned = false; // records with mismatched Hall readings kept in the Hall fits
    LeftOutRecords leftOut{};
};
// The records of the file at `path` the user left out (an empty set for none).
const std::set<std::size_t>& leftOutOf(const FitSettings& settings, const std::string& path);
inline constexpr double kFieldFitHalfWidthK = 1;

// The plotted coordinates of one fit's points, the indexes of the records used,
// the straight line through them and the quantity it gives.
struct FitResult {
    FitKind kind{};
    Range range;                   // as applied
    std::vector<std::size_t> used; // indexes into the records
    std::vector<double> x, y;
    std::vector<double> sigma; // each point's standard uncertainty in y, from the instruments
    std::optional<LineFit> line;
    std::optional<double> value, uncertainty;
    std::optional<double> chi2Reduced; // of the line against `sigma`
    bool weighted = false;             // by 1/sigma^2, as the settings asked
    // RH_campo only: the intercept of V_H(B), V, which a sound field series keeps near zero.
    std::optional<double> intercept, interceptUncertainty;
    std::string note;        // why there is no value, in Spanish
    std::size_t leftOut = 0; // records with mismatched Hall readings not used
    std::string warning;     // what the value needs said beside it, in Spanish
};

// A fit is done only with at least kMinDistinctAbscissas abscissas that differ at the
// resolution of the readings they come from (0.1 K, or 1 G for the field fit) and a
// slope known to better than kMaxRelativeSlopeUncertainty. The slope's relative
// uncertainty is the larger of its own and of one display step over the span of the
// abscissas: a 0.2 K span cannot give a slope, however many records it holds. Ten per
// cent is where a band gap of 0.76 eV is still told from one of 0.68 or 0.84 eV, and a
// mobility exponent of 1.66 from one of 1.5: past it a fit decides nothing a student
// could defend.
inline constexpr std::size_t kMinDistinctAbscissas = 3;
inline constexpr double kMaxRelativeSlopeUncertainty = 0.10;

// The V_H(B) fit warns when its intercept exceeds this share of the largest fitted
// voltage. The bench's careful field series stay below 0.08 %, and below 0.7 % for
// sample 2 near its sign change, where V_H(B) curves; a stale reading puts half of
// itself in the intercept.
inline constexpr double kMaxInterceptShare = 0.02;

// `leftOut`: indexes of records no fit may use, whatever their range.
FitResult runFit(FitKind kind, const std::vector<Record>& records, const std::vector<Derived>& derived,
                 const Geometry& g, const FitSettings& settings, const std::set<std::size_t>& leftOut = {});

std::vector<FitResult> runAllFits(const std::vector<Record>& records, const std::vector<Derived>& derived,
                                  const Geometry& g, const FitSettings& settings,
                                  const std::set<std::size_t>& leftOut = {});

} // namespace eh::analysis
