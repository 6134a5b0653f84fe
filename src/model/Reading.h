#pragma once
// The voltage the voltmeter sees for a switch position.

#include <cstdint>

#include "model/TaggedNumber.h"

namespace eh {

// Position 1: I·R as a single; position 2: the Hall voltage as a double (mA, cm³/C,
// gauss and cm turned into SI units). Any other position gives the integer 0.
TaggedNumber computeReading(std::int16_t conmutador, float iFuente, float rMuestra, float rHall, float bIman,
                            std::int16_t polaridad, float grosor);

} // namespace eh
