#pragma once
// The answer key of a class: per student the code, what the code's sample is, and
// what a careful student measuring it should find.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/SampleCode.h"
#include "model/UnknownSample.h"

namespace eh::clase {

// The results a student hands in, in the key's column order.
enum class Result {
    Rho300,      // rho_300_ohm_cm
    Hall300,     // RH_300_cm3_C
    Density300,  // densidad_300_cm3
    Mobility300, // muH_300_cm2_Vs
    GapSigma,    // gap_sigma_eV
    GapHall,     // gap_hall_eV
    Exponent,    // exponente_movilidad
    TRhoMax,     // T_rho_max_K
    TInversion,  // T_inversion_K (p-type only)
};
inline constexpr std::size_t kResultCount = 9;
inline constexpr std::array<std::string_view, kResultCount> kResultNames = {
    "rho_300_ohm_cm", "RH_300_cm3_C",        "densidad_300_cm3", "muH_300_cm2_Vs", "gap_sigma_eV",
    "gap_hall_eV",    "exponente_movilidad", "T_rho_max_K",      "T_inversion_K"};

using Results = std::array<std::optional<double>, kResultCount>;

struct KeyRow {
    int line = 0; // in the key file when read from one
    std::string student, group;
    SampleCode code;
    UnknownSample sample; // what the code names
    Results results;
};

// The key's columns, in order: the student, the sample, the results.
inline constexpr std::array<std::string_view, 10> kSampleColumns = {
    "alumno", "grupo", "codigo", "tipo", "dopado_cm3", "impureza", "E_impureza_meV", "L_cm", "a_cm", "d_cm"};

// The column of the doping type, "n" or "p", and of the doping: students hand them in
// too, and they are graded like the results.
inline constexpr std::string_view kTypeColumn = "tipo";
inline constexpr std::string_view kDopingColumn = "dopado_cm3";

// The student's sample type as the key writes it: "n" or "p".
std::string typeLetter(const UnknownSample& sample);

} // namespace eh::clase
