#pragma once
// The fixed table of samples the bench can measure, numbered 1 to 10.

#include <array>
#include <cstdint>
#include <string>

namespace eh {

struct SampleRow {
    float Longitud = 0;      // cm, between the resistivity voltage contacts
    float Anchura = 0;       // cm
    float Grosor = 0;        // cm
    float Mu_Red_Coef_N = 0; // electron lattice-scattering mobility coefficient
    float Mu_Red_Exp_N = 0;
    float Mu_Imp_Coef_N = 0; // electron impurity-scattering mobility coefficient
    float Mu_Red_Coef_P = 0;
    float Mu_Red_Exp_P = 0;
    float Mu_Imp_Coef_P = 0;
    float Eg_300 = 0;        // meV
    float Eg_Coef_T = 0;     // meV/K
    std::int16_t Valles = 0; // equivalent conduction minima
    float Masa_N = 0;
    float Masa_Ligeros = 0;
    float Masa_Pesados = 0;
    float E_Donador = 0; // meV
    float Dopado_N = 0;  // cm^-3
    float E_Aceptor = 0; // meV
    float Dopado_P = 0;  // cm^-3
    std::string Tipo;    // "N" or "P"
};

// The material every sample is made of (a germanium-like semiconductor): every
// constant of a row except the bar's dimensions, its type and its doping.
SampleRow catalogueMaterial();

class SampleCatalogue {
public:
    static constexpr int kRows = 10;
    // Rows 1 to kMeasurable hold the catalogued samples.
    static constexpr int kMeasurable = 2;
    // The free row an unknown sample, given by its code, is loaded into.
    static constexpr int kUnknownRow = 3;

    // Writes the catalogued samples (rows 1 to kMeasurable).
    void fill();

    bool valid(int number) const { return number >= 1 && number <= kRows; }
    // Whether `number` names a catalogued sample the bench can measure.
    static constexpr bool isMeasurable(int number) { return number >= 1 && number <= kMeasurable; }
    // Row by sample number 1..10; throws std::out_of_range otherwise.
    const SampleRow& row(int number) const;
    SampleRow& row(int number);

private:
    std::array<SampleRow, kRows> rows_{};
};

} // namespace eh
