#include "analysis/Quantities.h"

#include <cmath>
#include <stdexcept>

#include "analysis/Constants.h"
#include "model/SampleCatalogue.h"

namespace eh::analysis {

Geometry sampleGeometry(int sample) {
    SampleCatalogue catalogue;
    catalogue.fill();
    const SampleRow& row = catalogue.row(sample);
    if (row.Longitud <= 0 || row.Anchura <= 0 || row.Grosor <= 0)
        throw std::out_of_range("sample without dimensions");
    return {row.Longitud, row.Anchura, row.Grosor};
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

Derived derive(const Record& r, const Geometry& g) {
    Derived d;
    d.hallV = hallVoltage(r, d.onePolarity);
    const bool current = r.currentMa > 0;
    // A resistivity reading of zero (or below) means none was taken.
    if (current && r.vrV > 0) {
        const double rho = r.vrV * g.widthCm * g.thicknessCm / (r.currentMa / 1000 * g.lengthCm);
        if (std::isfinite(rho) && rho > 0) {
            d.rhoOhmCm = rho;
            d.sigmaSCm = 1 / rho;
        }
    }
    if (current && r.fieldG > 0 && d.hallV) {
        // V in volts, d in cm, I in mA, B in gauss: the factor 1e11 gives cm^3/C.
        const double rh = *d.hallV * g.thicknessCm * 1e11 / (r.currentMa * r.fieldG);
        if (std::isfinite(rh) && rh != 0) {
            d.hallCm3C = rh;
            d.carrier = rh < 0 ? Carrier::Electrons : Carrier::Holes;
            d.densityCm3 = 1 / (kElementaryCharge * std::fabs(rh));
            if (d.rhoOhmCm) d.mobilityCm2Vs = std::fabs(rh) / *d.rhoOhmCm;
        }
    }
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
