#include "model/SampleCatalogue.h"

#include <cmath>
#include <stdexcept>

namespace eh {

// Both samples are bars of the same germanium-like material; they differ in
// geometry, type and doping.
SampleRow catalogueMaterial() {
    SampleRow r;
    r.Mu_Red_Coef_N = 4.9e7f;
    r.Mu_Red_Exp_N = 1.66f;
    r.Mu_Imp_Coef_N = 5e7f;
    r.Mu_Red_Coef_P = 1.05e9f;
    r.Mu_Red_Exp_P = 2.33f;
    r.Mu_Imp_Coef_P = 1.5e9f;
    r.Eg_300 = 660.0f;
    r.Eg_Coef_T = 0.44f;
    r.Valles = 4;
    // The exponent is 0.3333, not a third: the stored mass depends on it.
    r.Masa_N = static_cast<float>(std::pow(0.010048, 0.3333));
    r.Masa_Ligeros = 0.042f;
    r.Masa_Pesados = 0.35f;
    r.E_Donador = 10.0f;
    r.E_Aceptor = 11.0f;
    return r;
}

void SampleCatalogue::fill() {
    SampleRow& s1 = row(1);
    s1 = catalogueMaterial();
    s1.Longitud = 0.3f;
    s1.Anchura = 0.2f;
    s1.Grosor = 0.01f;
    s1.Dopado_N = 2e15f;
    s1.Dopado_P = 0.0f;
    s1.Tipo = "N";

    SampleRow& s2 = row(2);
    s2 = catalogueMaterial();
    s2.Longitud = 0.4f;
    s2.Anchura = 0.25f;
    s2.Grosor = 0.015f;
    s2.Dopado_N = 2e10f;
    s2.Dopado_P = 3e15f;
    s2.Tipo = "P";
}

const SampleRow& SampleCatalogue::row(int number) const {
    if (!valid(number)) throw std::out_of_range("sample number out of range");
    return rows_[static_cast<std::size_t>(number - 1)];
}

SampleRow& SampleCatalogue::row(int number) {
    return const_cast<SampleRow&>(static_cast<const SampleCatalogue&>(*this).row(number));
}

} // namespace eh
