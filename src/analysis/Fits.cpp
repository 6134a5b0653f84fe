#include "analysis/Fits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "analysis/Constants.h"
#include "analysis/FitAdequacy.h"
#include "analysis/NumberText.h"
#include "analysis/Uncertainty.h"

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

// What moves a point of a fit: its ordinate's own uncertainty `uy`, and one shared
// source (the temperature, or the field) that shifts its abscissa by `gx` and its
// ordinate by `gy`. Against a line of slope b the point's effective uncertainty is
// sqrt(uy^2 + (gy - b gx)^2).
struct PointErrors {
    double uy = 0, gx = 0, gy = 0;
};

bool sameCurrent(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::fabs(b);
}

// The records of the field fit: within the half width of the chosen temperature, with
// a Hall voltage, and measured with one current: the current most of them share (a
// field series), the one nearest the chosen temperature on a tie. One pass to count
// the currents (sorted, so that equal ones are neighbours) and one to collect.
void selectFieldRecords(FitResult& f, std::vector<PointErrors>& errors, const std::vector<Record>& records,
                        const std::vector<Derived>& derived, bool includeWarned, double& currentMa) {
    const double centre = (f.range.minK + f.range.maxK) / 2;
    // The current is chosen among all the records, flagged or not: a series whose
    // readings are all flagged is still the series, and its records are counted out.
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
        if (!includeWarned && (derived[i].warnings & kHallMismatch)) {
            ++f.leftOut;
            continue;
        }
        f.used.push_back(i);
        f.x.push_back(records[i].fieldG);
        f.y.push_back(*derived[i].hallV);
        errors.push_back(
            {hallVoltageUncertaintyV(derived[i].onePolarity), fieldUncertaintyG(records[i].fieldG), 0});
    }
}

// Whether the records with a Hall voltage hold at least three fields that a 1 G display
// tells apart: one linear pass that stops at the third (a temperature sweep, the usual
// file, has one field).
bool holdsThreeFields(const std::vector<Record>& records, const std::vector<Derived>& derived) {
    std::vector<double> seen;
    for (std::size_t i = 0; i < records.size() && seen.size() < kMinDistinctAbscissas; ++i) {
        if (!derived[i].hallV) continue;
        const double shown = std::round(records[i].fieldG / kFieldStepG);
        if (std::find(seen.begin(), seen.end(), shown) == seen.end()) seen.push_back(shown);
    }
    return seen.size() >= kMinDistinctAbscissas;
}

// The centre, to 0.1 K, of the field series in the data: the span of 2 K (the field
// fit's width) whose records show the most distinct fields, at least three. Nothing
// when there is none.
std::optional<double> fieldSeriesCentre(const std::vector<Record>& records,
                                        const std::vector<Derived>& derived) {
    if (!holdsThreeFields(records, derived)) return std::nullopt;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (derived[i].hallV && records[i].currentMa > 0) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return records[a].temperatureK < records[b].temperatureK;
    });
    std::map<long long, int> fields; // shown field -> records in the window
    std::size_t best = 0, bestLo = 0, bestHi = 0;
    for (std::size_t lo = 0, hi = 0; hi < order.size(); ++hi) {
        ++fields[std::llround(records[order[hi]].fieldG / kFieldStepG)];
        while (records[order[hi]].temperatureK - records[order[lo]].temperatureK > 2 * kFieldFitHalfWidthK) {
            auto it = fields.find(std::llround(records[order[lo++]].fieldG / kFieldStepG));
            if (--it->second == 0) fields.erase(it);
        }
        if (fields.size() > best) {
            best = fields.size();
            bestLo = lo;
            bestHi = hi;
        }
    }
    if (best < kMinDistinctAbscissas) return std::nullopt;
    const double middle = (records[order[bestLo]].temperatureK + records[order[bestHi]].temperatureK) / 2;
    return std::round(middle * 10) / 10;
}

// The records of a fit against temperature, in its range, with the quantity it needs,
// as the straight-line coordinates of that fit.
void selectTemperatureRecords(FitResult& f, std::vector<PointErrors>& errors,
                              const std::vector<Record>& records, const std::vector<Derived>& derived,
                              bool includeWarned) {
    const double uT = roundingUncertainty(kTemperatureStepK);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const double t = records[i].temperatureK;
        if (!f.range.contains(t)) continue;
        const Derived& d = derived[i];
        double x = 0, y = 0;
        PointErrors e;
        if (f.kind == FitKind::GapSigma) {
            if (!d.sigmaSCm) continue;
            x = 1 / t;
            y = std::log(*d.sigmaSCm);
            e = {*d.uRhoOhmCm / *d.rhoOhmCm, -uT / (t * t), 0};
        } else if (f.kind == FitKind::GapHall) {
            if (!d.hallCm3C) continue;
            x = 1 / t;
            y = std::log(std::fabs(*d.hallCm3C) * t * std::sqrt(t));
            e = {*d.uHallCm3C / std::fabs(*d.hallCm3C), -uT / (t * t), 1.5 * uT / t};
        } else {
            if (!d.mobilityCm2Vs) continue;
            x = std::log(t);
            y = std::log(*d.mobilityCm2Vs);
            e = {*d.uMobilityCm2Vs / *d.mobilityCm2Vs, uT / t, 0};
        }
        if (f.kind != FitKind::GapSigma && !includeWarned && (d.warnings & kHallMismatch)) {
            ++f.leftOut;
            continue;
        }
        f.used.push_back(i);
        f.x.push_back(x);
        f.y.push_back(y);
        errors.push_back(e);
    }
}

const char* const kNotFinite = "el ajuste no da un número finito";

// Why no line came through points whose abscissas were judged distinct.
std::string noLineReason(const FitResult& f) {
    for (double x : f.x)
        if (!std::isfinite(x) || x != f.x.front()) return kNotFinite;
    return "todos los puntos tienen la misma abscisa";
}

// The straight line through the points, ordinary or weighted, with each point's
// effective uncertainty against it and the reduced chi-square. The weighted line is
// found twice: the effective uncertainties depend on the slope.
void fitPoints(FitResult& f, const std::vector<PointErrors>& errors, bool weighted) {
    const std::optional<LineFit> ordinary = fitLine(f.x, f.y);
    if (!ordinary) return;
    auto effective = [&](double slope) {
        f.sigma.resize(errors.size());
        for (std::size_t i = 0; i < errors.size(); ++i)
            f.sigma[i] = std::hypot(errors[i].uy, errors[i].gy - slope * errors[i].gx);
    };
    effective(ordinary->slope);
    f.line = ordinary;
    if (weighted) {
        f.line = fitLineWeighted(f.x, f.y, f.sigma);
        if (f.line) effective(f.line->slope);
        if (f.line) f.line = fitLineWeighted(f.x, f.y, f.sigma);
    }
    if (f.line) f.chi2Reduced = reducedChiSquare(f.x, f.y, f.sigma, f.line->intercept, f.line->slope);
}

// Why the abscissas cannot carry a slope, or nothing: fewer than three points, or
// fewer than three distinct readings of the temperature (the field, for RH_campo).
std::optional<std::string> tooFewReadings(const FitResult& f, const std::vector<double>& readings) {
    const std::string where = " entre " + numberText(f.range.minK, 6) + " y " + numberText(f.range.maxK, 6) +
                              " K; hacen falta al menos 3";
    if (f.used.size() < kMinDistinctAbscissas)
        return std::to_string(f.used.size()) + (f.used.size() == 1 ? " punto" : " puntos") + where;
    const bool field = f.kind == FitKind::HallFromField;
    const std::size_t distinct = distinctReadings(readings, field ? kFieldStepG : kTemperatureStepK);
    if (distinct >= kMinDistinctAbscissas) return std::nullopt;
    const char* what =
        field ? (distinct == 1 ? " campo distinto (a 1 G)" : " campos distintos (a 1 G)")
              : (distinct == 1 ? " temperatura distinta (a 0,1 K)" : " temperaturas distintas (a 0,1 K)");
    return std::to_string(distinct) + what + where;
}

void dropResult(FitResult& f, std::string reason) {
    f.value.reset();
    f.uncertainty.reset();
    f.intercept.reset();
    f.interceptUncertainty.reset();
    f.line.reset();
    f.chi2Reduced.reset();
    f.note = std::move(reason);
}

void addWarning(FitResult& f, const std::string& text) {
    if (!f.warning.empty()) f.warning += " / ";
    f.warning += text;
}

// The quantity from the slope: the band gaps 2k times it (ln sigma falls, ln R_H T^3/2
// rises with 1/T), the exponent its negative, R_H the slope of V_H = R_H I B / (d 1e11)
// with V in volts, I in mA, B in gauss, d in cm.
double slopeScale(FitKind kind, const Geometry& g, double currentMa) {
    switch (kind) {
    case FitKind::GapSigma:
        return -2 * kBoltzmannEv;
    case FitKind::GapHall:
        return 2 * kBoltzmannEv;
    case FitKind::MobilityExponent:
        return -1;
    case FitKind::HallFromField:
        return g.thicknessCm * 1e11 / currentMa;
    }
    return 0;
}

void warnOfIntercept(FitResult& f) {
    double largest = 0;
    for (double x : f.x) largest = std::max(largest, std::fabs(f.line->intercept + f.line->slope * x));
    if (!(std::fabs(*f.intercept) > kMaxInterceptShare * largest)) return;
    addWarning(f, "la ordenada en el origen de V_H(B), " + numberText(*f.intercept, 3) +
                      " V, no es pequeña frente a las tensiones ajustadas (hasta " + numberText(largest, 3) +
                      " V)");
}

} // namespace

FitResult runFit(FitKind kind, const std::vector<Record>& records, const std::vector<Derived>& derived,
                 const Geometry& g, const FitSettings& settings) {
    FitResult f;
    f.kind = kind;
    f.weighted = settings.weighted;
    double currentMa = 0;
    std::vector<PointErrors> errors;
    if (kind == FitKind::HallFromField) {
        f.range = {settings.fieldTemperatureK - kFieldFitHalfWidthK,
                   settings.fieldTemperatureK + kFieldFitHalfWidthK};
        selectFieldRecords(f, errors, records, derived, settings.includeWarned, currentMa);
        // Nothing to fit at the temperature asked (by default 300 K): the series the
        // data hold, wherever it was measured, with a word that it is that one.
        std::vector<double> fields;
        for (std::size_t i : f.used) fields.push_back(records[i].fieldG);
        if (distinctReadings(fields, kFieldStepG) < kMinDistinctAbscissas) {
            if (const auto centre = fieldSeriesCentre(records, derived);
                centre && !f.range.contains(*centre)) {
                addWarning(f, "no hay serie de campo entre " + numberText(f.range.minK, 6) + " y " +
                                  numberText(f.range.maxK, 6) + " K: se ajusta la que hay a " +
                                  numberText(*centre, 6) + " K");
                f.used.clear();
                f.x.clear();
                f.y.clear();
                errors.clear();
                f.leftOut = 0;
                f.range = {*centre - kFieldFitHalfWidthK, *centre + kFieldFitHalfWidthK};
                selectFieldRecords(f, errors, records, derived, settings.includeWarned, currentMa);
            }
        }
    } else {
        f.range = kind == FitKind::MobilityExponent ? settings.mobility : settings.gap;
        selectTemperatureRecords(f, errors, records, derived, settings.includeWarned);
    }
    if (f.leftOut > 0) {
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "%zu %s con lecturas de Hall de condiciones distintas fuera del ajuste", f.leftOut,
                      f.leftOut == 1 ? "registro" : "registros");
        addWarning(f, buf);
    }
    std::vector<double> readings;
    readings.reserve(f.used.size());
    for (std::size_t i : f.used)
        readings.push_back(kind == FitKind::HallFromField ? records[i].fieldG : records[i].temperatureK);
    if (auto reason = tooFewReadings(f, readings)) {
        dropResult(f, std::move(*reason));
        return f;
    }
    fitPoints(f, errors, settings.weighted);
    if (!f.line) {
        dropResult(f, noLineReason(f));
        return f;
    }
    // Weighted, the errors are those of the stated uncertainties, widened by the
    // scatter when the points stray further than those uncertainties allow.
    const double widen = settings.weighted && f.chi2Reduced ? std::max(1.0, std::sqrt(*f.chi2Reduced)) : 1.0;
    const double scale = slopeScale(kind, g, currentMa);
    f.value = f.line->slope * scale;
    f.uncertainty = f.line->slopeError * widen * std::fabs(scale);
    if (!std::isfinite(*f.value) || !std::isfinite(*f.uncertainty)) {
        dropResult(f, kNotFinite);
        return f;
    }
    const double share = std::max(
        f.line->slopeError * widen / std::fabs(f.line->slope),
        resolutionLimitedShare(readings, kind == FitKind::HallFromField ? kFieldStepG : kTemperatureStepK));
    if (!(share < kMaxRelativeSlopeUncertainty)) {
        const std::string limit =
            "; hace falta menos del " + numberText(100 * kMaxRelativeSlopeUncertainty, 2) + " %";
        dropResult(f, std::isfinite(share)
                          ? "la pendiente no queda determinada: incertidumbre relativa del " +
                                numberText(100 * share, 2) + " %" + limit
                          : "la pendiente no queda determinada: es nula" + limit);
        return f;
    }
    if (kind == FitKind::HallFromField) {
        f.intercept = f.line->intercept;
        f.interceptUncertainty = f.line->interceptError * widen;
        warnOfIntercept(f);
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
