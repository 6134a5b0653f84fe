#pragma once
// What a record tells about the sample: resistivity, Hall coefficient, carrier
// type, density and Hall mobility. A quantity that cannot be formed is absent, never
// an infinity or a non-number.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/DataReader.h"
#include "analysis/OptionalNumber.h"

namespace eh::analysis {

// Dimensions of a sample bar, cm.
struct Geometry {
    double lengthCm = 0; // between the resistivity voltage contacts
    double widthCm = 0;
    double thicknessCm = 0;
};

// The geometry of a catalogued sample (1 or 2); throws std::out_of_range otherwise.
Geometry sampleGeometry(int sample);
// The geometry of the unknown sample a code names; throws std::invalid_argument for
// a code that names none.
Geometry unknownSampleGeometry(const std::string& code);

enum class Carrier { None, Electrons, Holes };

// What a record's readings say against themselves, as bits of Derived::warnings.
inline constexpr unsigned kHallMismatch = 1; // the two Hall readings were not taken under the same conditions
inline constexpr unsigned kMixedConduction = 2; // R_H no longer gives one carrier's density

// The two Hall readings of a record belong together when their offset
// V0 = (V+ + V-)/2 is small against what they measure. A record is marked
// kHallMismatch when |V0| exceeds all of: kHallOffsetOfReading of the larger Hall
// reading, kHallOffsetFloorV (two voltmeter steps: rounding alone), and
// kHallOffsetOfVr of the resistivity reading when there is one. The bench's careful
// sweeps of both samples (1 to 50 mA, 1 to 10 A, the sign change of sample 2 in steps
// of 0.5 K) keep |V0| below 0.8 % of the larger reading away from the sign change and
// below 0.25 % of Vr everywhere; at the sign change V0 exceeds V_H itself (the
// temperature drifts between the two readings) but stays below 0.03 % of Vr. A
// reading left from another field puts V0 near the Hall voltage itself: 9 % of Vr
// for sample 1 at 300 K, a "+" reading at 8.9 A kept beside a " - " one at 1 A.
inline constexpr double kHallOffsetOfReading = 0.05;
inline constexpr double kHallOffsetFloorV = 2e-5;
inline constexpr double kHallOffsetOfVr = 0.01;

struct Derived {
    OptionalNumber hallV;         // V_H
    OptionalNumber rhoOhmCm;      // resistivity
    OptionalNumber sigmaSCm;      // conductivity
    OptionalNumber hallCm3C;      // R_H
    OptionalNumber densityCm3;    // 1/(e |R_H|)
    OptionalNumber mobilityCm2Vs; // |R_H| / rho
    // Standard uncertainties from the instruments (analysis/Uncertainty.h), beside
    // each quantity that could be formed.
    OptionalNumber uRhoOhmCm, uHallCm3C, uMobilityCm2Vs;
    // Why a quantity the readings seem to offer is absent, in Spanish; a literal.
    std::string_view note;
    // The small members together, after the numbers: no padding between them.
    Carrier carrier = Carrier::None;
    unsigned warnings = 0;    // Warning bits
    bool onePolarity = false; // V_H from one switch position only
};

Derived derive(const Record& r, const Geometry& g);
std::vector<Derived> deriveAll(const std::vector<Record>& records, const Geometry& g);

// "n", "p" or "".
const char* carrierLetter(Carrier c);

// The Hall coefficient of a catalogued sample's extrinsic plateau, cm^3/C: -1/(e N_d)
// for the n-type bar, +1/(e N_a) for the p-type one (the doping the course states).
double plateauHallCm3C(int sample);
// The same for the unknown sample a code names (std::invalid_argument for a code
// that names none).
double unknownSamplePlateauHallCm3C(const std::string& code);

// Marks kMixedConduction on the records whose R_H shows that both carriers count:
// of the other sign than the plateau, or with |R_H| more than kMixedConductionDrop
// below it. The course places the end of the plateau where |R_H| leaves it by 1 %;
// past that, 1/(e R_H) is no longer the majority density (freeze-out, which raises
// |R_H| above the plateau, is one-carrier conduction and is not marked).
inline constexpr double kMixedConductionDrop = 0.01;
void markMixedConduction(std::vector<Derived>& derived, double plateauCm3C);

// The Spanish text of a record's warnings ("" when none).
std::string warningText(unsigned warnings);

// The sample a data set was most likely measured on: the sign of the Hall voltage
// at the lowest temperature (negative: 1, the n-type bar; positive: 2). 1 when
// nothing tells.
int guessSample(const std::vector<Record>& records);

} // namespace eh::analysis
