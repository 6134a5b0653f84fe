#include "analysis/Quantities.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "analysis/Constants.h"
#include "analysis/PlausibleLimits.h"
#include "analysis/Uncertainty.h"
#include "model/SampleCatalogue.h"
#include "model/SampleCode.h"
#include "model/UnknownSample.h"

namespace eh::analysis {

Geometry sampleGeometry(int sample) {
    SampleCatalogue catalogue;
    catalogue.fill();
    const SampleRow& row = catalogue.row(sample);
    if (row.Longitud <= 0 || row.Anchura <= 0 || row.Grosor <= 0)
        throw std::out_of_range("sample without dimensions");
    return {row.Longitud, row.Anchura, row.Grosor};
}

Geometry unknownSampleGeometry(const std::string& code) {
    std::string error;
    const auto parsed = SampleCode::parse(code, error);
    if (!parsed) throw std::invalid_argument(error);
    const UnknownSample s = deriveUnknownSample(*parsed);
    return {s.lengthCm, s.widthCm, s.thicknessCm};
}

namespace {

std::optional<double> hallVoltage(const Record& r, bool& onePolarity) {
    onePolarity = false;
    if (r.vPlusV != 0 && r.vMinusV != 0) return (r.vPlusV - r.vMinusV) / 2;
    onePolarity = true;
    if (r.vPlusV != 0) return r.vPlusV;
    if (r.vMinusV != 0) return -r.vMinusV;
    onePolarity = false;
    return std::nullopt;
}

} // namespace

namespace {

// Records the first reason only: the rest follow from it.
void because(Derived& d, const char* reason) {
    if (d.note.empty()) d.note = reason;
}

// Relative uncertainties combined in quadrature. They are small numbers (a few at
// most), so the plain sum of squares is safe, and far cheaper than std::hypot for a
// table of a million records.
double quadrature(double a, double b, double c = 0) {
    return std::sqrt(a * a + b * b + c * c);
}

bool finitePositive(double v) {
    return std::isfinite(v) && v > 0;
}

void resistivity(const Record& r, const Geometry& g, Derived& d) {
    // A resistivity reading of zero (or below) means none was taken.
    if (r.vrV <= 0) return;
    if (r.vrV < kVoltmeterZeroV)
        return because(
            d, "la lectura de resistividad no llega a la última cifra del voltímetro: sin ρ, σ ni μ_H");
    const double rho = r.vrV * g.widthCm * g.thicknessCm / (r.currentMa / 1000 * g.lengthCm);
    if (!finitePositive(rho) || !finitePositive(1 / rho)) return because(d, "ρ no es un número finito");
    d.rhoOhmCm = rho;
    d.sigmaSCm = 1 / rho;
    d.uRhoOhmCm = rho * quadrature(roundingUncertainty(kVoltmeterStepV) / r.vrV,
                                   roundingUncertainty(kCurrentStepMa) / r.currentMa);
}

void hall(const Record& r, const Geometry& g, Derived& d) {
    if (r.fieldG <= 0 || !d.hallV) return; // magnet off or no Hall reading: normal data
    if (r.fieldG < kFieldZeroG) return because(d, "el campo es menor de 0,5 G: sin R_H ni μ_H");
    if (std::fabs(*d.hallV) < kVoltmeterZeroV)
        return because(d, "la tensión Hall no llega a la última cifra del voltímetro: sin R_H ni μ_H");
    // V in volts, d in cm, I in mA, B in gauss: the factor 1e11 gives cm^3/C.
    const double rh = *d.hallV * g.thicknessCm * 1e11 / (r.currentMa * r.fieldG);
    const double density = 1 / (kElementaryCharge * std::fabs(rh));
    if (!std::isfinite(rh) || rh == 0 || !finitePositive(density))
        return because(d, "R_H no es un número finito");
    d.hallCm3C = rh;
    d.carrier = rh < 0 ? Carrier::Electrons : Carrier::Holes;
    d.densityCm3 = density;
    const double relHall = hallVoltageUncertaintyV(d.onePolarity) / std::fabs(*d.hallV);
    const double relField = fieldUncertaintyG(r.fieldG) / r.fieldG;
    d.uHallCm3C =
        std::fabs(rh) * quadrature(relHall, roundingUncertainty(kCurrentStepMa) / r.currentMa, relField);
    if (!d.rhoOhmCm) return;
    const double mobility = std::fabs(rh) / *d.rhoOhmCm;
    if (!finitePositive(mobility)) return because(d, "μ_H no es un número finito");
    d.mobilityCm2Vs = mobility;
    // mu = |V_H| L 1e11 / (B Vr a): the current cancels.
    d.uMobilityCm2Vs = mobility * quadrature(relHall, relField, roundingUncertainty(kVoltmeterStepV) / r.vrV);
}

bool hallReadingsDisagree(const Record& r) {
    if (r.vPlusV == 0 || r.vMinusV == 0) return false; // one polarity: nothing to compare
    const double offset = std::fabs(r.vPlusV + r.vMinusV) / 2;
    const double larger = std::max(std::fabs(r.vPlusV), std::fabs(r.vMinusV));
    return offset > kHallOffsetOfReading * larger && offset > kHallOffsetFloorV &&
           (r.vrV <= 0 || offset > kHallOffsetOfVr * r.vrV);
}

} // namespace

Derived derive(const Record& r, const Geometry& g) {
    Derived d;
    d.hallV = hallVoltage(r, d.onePolarity);
    if (d.hallV && !std::isfinite(*d.hallV)) {
        d.hallV.reset();
        because(d, "V_H no es un número finito");
    }
    if (hallReadingsDisagree(r)) d.warnings |= kHallMismatch;
    if (r.currentMa <= 0) return d; // no current: nothing to divide by, as measured
    if (r.currentMa < kCurrentZeroMa) {
        because(d, "la corriente no llega a la última cifra de la fuente: sin ρ ni R_H");
        return d;
    }
    resistivity(r, g, d);
    hall(r, g, d);
    return d;
}

std::vector<Derived> deriveAll(const std::vector<Record>& records, const Geometry& g) {
    std::vector<Derived> out;
    out.reserve(records.size());
    for (const Record& r : records) out.push_back(derive(r, g));
    return out;
}

const char* carrierLetter(Carrier c) {
    switch (c) {
    case Carrier::Electrons:
        return "n";
    case Carrier::Holes:
        return "p";
    case Carrier::None:
        break;
    }
    return "";
}

namespace {
double plateauOf(const SampleRow& row) {
    return row.Tipo == "P" ? 1 / (kElementaryCharge * row.Dopado_P) : -1 / (kElementaryCharge * row.Dopado_N);
}
} // namespace

double plateauHallCm3C(int sample) {
    SampleCatalogue catalogue;
    catalogue.fill();
    return plateauOf(catalogue.row(sample));
}

double unknownSamplePlateauHallCm3C(const std::string& code) {
    std::string error;
    const auto parsed = SampleCode::parse(code, error);
    if (!parsed) throw std::invalid_argument(error);
    return plateauOf(unknownSampleRow(deriveUnknownSample(*parsed)));
}

void markMixedConduction(std::vector<Derived>& derived, double plateauCm3C) {
    const double least = (1 - kMixedConductionDrop) * std::fabs(plateauCm3C);
    for (Derived& d : derived)
        if (d.hallCm3C && (*d.hallCm3C * plateauCm3C < 0 || std::fabs(*d.hallCm3C) < least))
            d.warnings |= kMixedConduction;
}

const char* const kHallMismatchText =
    "lecturas de Hall de condiciones distintas: V0 = (V+ + V-)/2 no es pequeña frente a ellas";
const char* const kMixedConductionText = "conducción mixta: n y p no se obtienen de un solo R_H";

std::string warningText(unsigned warnings) {
    std::string text;
    for (auto [bit, words] :
         {std::pair{kHallMismatch, kHallMismatchText}, std::pair{kMixedConduction, kMixedConductionText}}) {
        if (!(warnings & bit)) continue;
        if (!text.empty()) text += " / ";
        text += words;
    }
    return text;
}

int guessSample(const std::vector<Record>& records) {
    const Record* lowest = nullptr;
    bool ignored = false;
    for (const Record& r : records)
        if (hallVoltage(r, ignored) && (!lowest || r.temperatureK < lowest->temperatureK)) lowest = &r;
    if (!lowest) return 1;
    return *hallVoltage(*lowest, ignored) < 0 ? 1 : 2;
}

} // namespace eh::analysis
