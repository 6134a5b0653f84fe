#pragma once
// The two-carrier transport model: resistance and Hall coefficient of a sample bar.

#include <stdexcept>

#include "model/SampleCatalogue.h"

namespace eh {

// An arithmetic fault of the model, with the run-time error code it is reported
// under: 5 invalid operation, 6 overflow, 11 division by zero.
class ModelFault : public std::runtime_error {
public:
    explicit ModelFault(int code);
    int code() const { return code_; }

private:
    int code_;
};

inline constexpr int kFaultInvalid = 5;
inline constexpr int kFaultOverflow = 6;
inline constexpr int kFaultSubscript = 9;
inline constexpr int kFaultDivision = 11;

// Computes the Hall coefficient (cm^3/C) and the resistance (ohm) of sample `c` at
// temperature `t` (K) in field `b` (gauss). `rHall` is written before `rMuestra`;
// on a fault a ModelFault is thrown and whatever was already written stays.
void computeTransport(const SampleRow& c, float t, float b, float& rHall, float& rMuestra);

} // namespace eh
