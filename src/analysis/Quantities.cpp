#include "analysis/Quantities.h"

#include <cmath>
#include <stdexcept>

#include "analysis/Constants.h"
#include "analysis/PlausibleLimits.h"
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
}

void hall(const Record& r, const Geometry& g, Derived& d) {
    if (r.fieldG <= 0 || !d.hallV) return; // magnet off or no Hall reading: normal data
    if (r.fieldG < kFieldZeroG) return because(d, "el campo es menor de 0.5 G: sin R_H ni μ_H");
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
    if (!d.rhoOhmCm) return;
    const double mobility = std::fabs(rh) / *d.rhoOhmCm;
    if (!finitePositive(mobility)) return because(d, "μ_H no es un número finito");
    d.mobilityCm2Vs = mobility;
}

} // namespace

Derived derive(const Record& r, const Geometry& g) {
    Derived d;
    d.hallV = hallVoltage(r, d.onePolarity);
    if (d.hallV && !std::isfinite(*d.hallV)) {
        d.hallV.reset();
        because(d, "V_H no es un número finito");
    }
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

int guessSample(const std::vector<Record>& records) {
    const Record* lowest = nullptr;
    bool ignored = false;
    for (const Record& r : records)
        if (hallVoltage(r, ignored) && (!lowest || r.temperatureK < lowest->temperatureK)) lowest = &r;
    if (!lowest) return 1;
    return *hallVoltage(*lowest, ignored) < 0 ? 1 : 2;
}

} // namespace eh::analysis
