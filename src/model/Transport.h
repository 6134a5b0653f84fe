#pragma once
// The two-carrier transport model: resistance and Hall coefficient of a sample bar.

#include <stdexcept>

#include "model/ErrorCode.h"
#include "model/SampleCatalogue.h"

namespace eh {

// An arithmetic fault of the model, with the run-time error code it is reported under.
class ModelFault : public std::runtime_error {
public:
    explicit ModelFault(ErrorCode code);
    ErrorCode code() const { return code_; }

private:
    ErrorCode code_;
};

// Computes the Hall coefficient (cm^3/C) and the resistance (ohm) of sample `c` at
// temperature `t` (K) in field `b` (gauss). `rHall` is written before `rMuestra`;
// on a fault a ModelFault is thrown and whatever was already written stays.
void computeTransport(const SampleRow& c, float t, float b, float& rHall, float& rMuestra);

} // namespace eh
