#pragma once
// What a record tells about the sample: resistivity, Hall coefficient, carrier
// type, density and Hall mobility. A quantity that cannot be formed is absent, never
// an infinity or a non-number.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/DataReader.h"

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

struct Derived {
    std::optional<double> hallV;    // V_H
    bool onePolarity = false;       // V_H from one switch position only
    std::optional<double> rhoOhmCm; // resistivity
    std::optional<double> sigmaSCm; // conductivity
    std::optional<double> hallCm3C; // R_H
    Carrier carrier = Carrier::None;
    std::optional<double> densityCm3;    // 1/(e |R_H|)
    std::optional<double> mobilityCm2Vs; // |R_H| / rho
    // Why a quantity the readings seem to offer is absent, in Spanish; a literal.
    std::string_view note;
};

Derived derive(const Record& r, const Geometry& g);
std::vector<Derived> deriveAll(const std::vector<Record>& records, const Geometry& g);

// "n", "p" or "".
const char* carrierLetter(Carrier c);

// The sample a data set was most likely measured on: the sign of the Hall voltage
// at the lowest temperature (negative: 1, the n-type bar; positive: 2). 1 when
// nothing tells.
int guessSample(const std::vector<Record>& records);

} // namespace eh::analysis
