#include "analysis/Fits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/Constants.h"

namespace eh::analysis {

const char* fitName(FitKind kind) {
    switch (kind) {
    case FitKind::GapSigma:
        return "gap_sigma";
    case FitKind::GapHall:
        return "gap_hall";
    case FitKind::MobilityExponent:
        return "exponente_movilidad";
    case FitKind::HallFromField:
        return "RH_campo";
    }
    return "";
}

const char* fitUnit(FitKind kind) {
    switch (kind) {
    case FitKind::GapSigma:
    case FitKind::GapHall:
        return "eV";
    case FitKind::MobilityExponent:
        return "";
    case FitKind::HallFromField:
        return "cm3/C";
    }
    return "";
}

namespace {

bool sameCurrent(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::fabs(b);
}

// The records of the field fit: within the half width of the chosen temperature, with
// a Hall voltage, and measured with one current: the current most of them share (a
// field series), the one nearest the chosen temperature on a tie. One pass to count
// the currents (sorted, so that equal ones are neighbours) and one to collect.
void selectFieldRecords(FitResult& f, const std::vector<Record>& records, const std::vector<Derived>& derived,
                        double& currentMa) {
    const double centre = (f.range.minK + f.range.maxK) / 2;
    auto eligible = [&](std::size_t i) {
        return f.range.contains(records[i].temperatureK) && derived[i].hallV && records[i].currentMa > 0;
    };
    struct Candidate {
        double current, distance;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (eligible(i))
            candidates.push_back({records[i].currentMa, std::fabs(records[i].temperatureK - centre)});
    if (candidates.empty()) return;
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.current < b.current; });
    std::size_t bestCount = 0;
    double bestDistance = 0;
    for (std::size_t start = 0; start < candidates.size();) {
        std::size_t end = start;
        double nearest = candidates[start].distance;
        while (end < candidates.size() && sameCurrent(candidates[end].current, candidates[start].current))
            nearest = std::min(nearest, candidates[end++].distance);
        const std::size_t count = end - start;
        if (count > bestCount || (count == bestCount && nearest < bestDistance)) {
            bestCount = count;
            bestDistance = nearest;
            currentMa = candidates[start].current;
        }
        start = end;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!eligible(i) || !sameCurrent(records[i].currentMa, currentMa)) continue;
        f.used.push_back(i);
        f.x.push_back(records[i].fieldG);
        f.y.push_back(*derived[i].hallV);
    }
}

// The records of a fit against temperature, in its range, with the quantity it needs,
// as the straight-line coordinates of that fit.
void selectTemperatureRecords(FitResult& f, const std::vector<Record>& records,
                              const std::vector<Derived>& derived) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const double t = records[i].temperatureK;
        if (!f.range.contains(t)) continue;
        const Derived& d = derived[i];
        double x = 0, y = 0;
        if (f.kind == FitKind::GapSigma) {
            if (!d.sigmaSCm) continue;
            x = 1 / t;
            y = std::log(*d.sigmaSCm);
        } else if (f.kind == FitKind::GapHall) {
            if (!d.hallCm3C) continue;
            x = 1 / t;
            y = std::log(std::fabs(*d.hallCm3C) * t * std::sqrt(t));
        } else {
            if (!d.mobilityCm2Vs) continue;
            x = std::log(t);
            y = std::log(*d.mobilityCm2Vs);
        }
        f.used.push_back(i);
        f.x.push_back(x);
        f.y.push_back(y);
    }
}

const char* const kNotFinite = "el ajuste no da un número finito";

// Why fitLine gave no line, in the words the user reads where the value would stand.
std::string noLineReason(const FitResult& f) {
    if (f.used.size() < 3) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "%zu %s entre %g y %g K; hacen falta al menos 3", f.used.size(),
                      f.used.size() == 1 ? "punto" : "puntos", f.range.minK, f.range.maxK);
        return buf;
    }
    for (double x : f.x)
        if (!std::isfinite(x) || x != f.x.front()) return kNotFinite;
    return "todos los puntos tienen la misma abscisa";
}

} // namespace

FitResult runFit(FitKind kind, const std::vector<Record>& records, const std::vector<Derived>& derived,
                 const Geometry& g, const FitSettings& settings) {
    FitResult f;
    f.kind = kind;
    double currentMa = 0;
    switch (kind) {
    case FitKind::GapSigma:
    case FitKind::GapHall:
        f.range = settings.gap;
        break;
    case FitKind::MobilityExponent:
        f.range = settings.mobility;
        break;
    case FitKind::HallFromField:
        f.range = {settings.fieldTemperatureK - kFieldFitHalfWidthK,
                   settings.fieldTemperatureK + kFieldFitHalfWidthK};
        break;
    }
    if (kind == FitKind::HallFromField)
        selectFieldRecords(f, records, derived, currentMa);
    else
        selectTemperatureRecords(f, records, derived);
    f.line = fitLine(f.x, f.y);
    if (!f.line) {
        f.note = noLineReason(f);
        return f;
    }
    const LineFit& line = *f.line;
    switch (kind) {
    case FitKind::GapSigma:
        f.value = -2 * kBoltzmannEv * line.slope;
        f.uncertainty = 2 * kBoltzmannEv * line.slopeError;
        break;
    case FitKind::GapHall:
        f.value = 2 * kBoltzmannEv * line.slope;
        f.uncertainty = 2 * kBoltzmannEv * line.slopeError;
        break;
    case FitKind::MobilityExponent:
        f.value = -line.slope;
        f.uncertainty = line.slopeError;
        break;
    case FitKind::HallFromField: {
        // V_H = R_H I B / (d 1e11) with V in volts, I in mA, B in gauss, d in cm.
        const double scale = g.thicknessCm * 1e11 / currentMa;
        f.value = line.slope * scale;
        f.uncertainty = line.slopeError * scale;
        break;
    }
    }
    if (!std::isfinite(*f.value) || !std::isfinite(*f.uncertainty)) {
        f.value.reset();
        f.uncertainty.reset();
        f.line.reset();
        f.note = kNotFinite;
    }
    return f;
}

std::vector<FitResult> runAllFits(const std::vector<Record>& records, const std::vector<Derived>& derived,
                                  const Geometry& g, const FitSettings& settings) {
    std::vector<FitResult> out;
    for (FitKind k : kAllFits) out.push_back(runFit(k, records, derived, g, settings));
    return out;
}

} // namespace eh::analysis
