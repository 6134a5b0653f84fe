#pragma once
// Physical constants of the analysis: CODATA 2018 exact values.

namespace eh::analysis {

inline constexpr double kElementaryCharge = 1.602176634e-19; // C
inline constexpr double kBoltzmannEv = 8.617333262e-5;       // eV/K

} // namespace eh::analysis
