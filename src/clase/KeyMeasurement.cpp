#include "clase/KeyMeasurement.h"

#include <algorithm>
#include <cmath>

#include "analysis/Fits.h"
#include "sweep/SweepRunner.h"

namespace eh::clase {
namespace {

using analysis::Analysis;
using analysis::Record;

// A bench without a screen whose save dialog is cancelled: the records are read from
// the register, as the file would hold them, and no file is written.
class RegisterOnlyHost : public BenchHost {
public:
    void showMessage(const std::string&, const std::string&) override { ++messages; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void setBusyPointer(bool) override {}
    int messages = 0;
};

std::optional<double> fitValue(const Analysis& a, analysis::FitKind kind) {
    for (const analysis::FitResult& f : a.fits)
        if (f.kind == kind) return f.value;
    return std::nullopt;
}

void setAtRoomTemperature(const Analysis& a, Results& r) {
    std::size_t best = a.data.records.size();
    for (std::size_t i = 0; i < a.data.records.size(); ++i)
        if (best == a.data.records.size() || std::fabs(a.data.records[i].temperatureK - 300) <
                                                 std::fabs(a.data.records[best].temperatureK - 300))
            best = i;
    if (best == a.data.records.size() || std::fabs(a.data.records[best].temperatureK - 300) > 1) return;
    const analysis::Derived& d = a.derived[best];
    r[std::size_t(Result::Rho300)] = d.rhoOhmCm;
    r[std::size_t(Result::Hall300)] = d.hallCm3C;
    r[std::size_t(Result::Density300)] = d.densityCm3;
    r[std::size_t(Result::Mobility300)] = d.mobilityCm2Vs;
}

// Index of the largest resistivity, or nothing.
std::optional<std::size_t> largestRho(const Analysis& a) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < a.derived.size(); ++i)
        if (a.derived[i].rhoOhmCm && (!best || *a.derived[i].rhoOhmCm > *a.derived[*best].rhoOhmCm)) best = i;
    return best;
}

std::optional<double> rhoMaximumK(const SampleCode& code, const Analysis& coarse) {
    const auto top = largestRho(coarse);
    if (!top || *top == 0 || *top + 1 == coarse.derived.size()) return std::nullopt; // at an end: no maximum
    const double centre = std::round(coarse.data.records[*top].temperatureK);
    const double from = std::max(sweep::kLowestTargetK, centre - 10);
    const double to = std::min(sweep::kHighestTargetK, centre + 10);
    const Analysis fine = analyseRecords(code, sweepRecords(code, from, to, 1));
    const auto peak = largestRho(fine);
    if (!peak || *peak == 0 || *peak + 1 == fine.derived.size()) return std::nullopt;
    const auto& rec = fine.data.records;
    const double x0 = rec[*peak - 1].temperatureK, x1 = rec[*peak].temperatureK,
                 x2 = rec[*peak + 1].temperatureK;
    const double y0 = *fine.derived[*peak - 1].rhoOhmCm, y1 = *fine.derived[*peak].rhoOhmCm,
                 y2 = *fine.derived[*peak + 1].rhoOhmCm;
    // Vertex of the parabola through three points (divided differences).
    const double d01 = (y1 - y0) / (x1 - x0), d12 = (y2 - y1) / (x2 - x1);
    const double curvature = (d12 - d01) / (x2 - x0);
    if (!(curvature < 0)) return x1;
    return (x0 + x1) / 2 - d01 / (2 * curvature);
}

// Index i such that R_H of record i and i + 1 have opposite signs, the first one.
std::optional<std::size_t> signChange(const Analysis& a) {
    for (std::size_t i = 0; i + 1 < a.derived.size(); ++i) {
        const auto& h0 = a.derived[i].hallCm3C;
        const auto& h1 = a.derived[i + 1].hallCm3C;
        if (h0 && h1 && *h0 > 0 && *h1 <= 0) return i;
    }
    return std::nullopt;
}

std::optional<double> inversionK(const SampleCode& code, const Analysis& coarse) {
    const auto at = signChange(coarse);
    if (!at) return std::nullopt;
    const double from = std::round(coarse.data.records[*at].temperatureK);
    const double to = std::round(coarse.data.records[*at + 1].temperatureK);
    const Analysis fine = analyseRecords(code, sweepRecords(code, from, to, 0.5));
    const auto i = signChange(fine);
    if (!i) return std::nullopt;
    const double t0 = fine.data.records[*i].temperatureK, t1 = fine.data.records[*i + 1].temperatureK;
    const double h0 = *fine.derived[*i].hallCm3C, h1 = *fine.derived[*i + 1].hallCm3C;
    return t0 + (t1 - t0) * h0 / (h0 - h1);
}

} // namespace

std::vector<Record> sweepRecords(const SampleCode& code, double fromK, double toK, double stepK) {
    sweep::SweepPlan plan;
    plan.sample = SampleCatalogue::kUnknownRow;
    plan.sampleCode = code.text();
    plan.fromK = fromK;
    plan.toK = toK;
    plan.stepK = stepK;
    std::string error;
    const std::vector<double> targets = sweep::sweepTargets(plan, error);
    if (targets.empty()) return {};
    RegisterOnlyHost host;
    BenchModel bench(host);
    sweep::SweepRunner runner(bench, plan);
    runner.run(targets);
    if (host.messages > 0) return {};
    analysis::DataSet data;
    if (!analysis::parseDataText(bench.registerContent(), data, error)) return {};
    return data.records;
}

Analysis analyseRecords(const SampleCode& code, std::vector<Record> records) {
    Analysis a;
    a.data.records = std::move(records);
    a.sampleCode = code.text();
    a.sample = analysis::guessSample(a.data.records);
    analysis::analyse(a, analysis::FitSettings{});
    return a;
}

Results measureResults(const SampleCode& code) {
    Results r;
    const Analysis coarse = analyseRecords(code, sweepRecords(code, 50, 760, 10));
    if (coarse.data.records.empty()) return r;
    setAtRoomTemperature(coarse, r);
    r[std::size_t(Result::GapSigma)] = fitValue(coarse, analysis::FitKind::GapSigma);
    r[std::size_t(Result::GapHall)] = fitValue(coarse, analysis::FitKind::GapHall);
    r[std::size_t(Result::Exponent)] = fitValue(coarse, analysis::FitKind::MobilityExponent);
    r[std::size_t(Result::TRhoMax)] = rhoMaximumK(code, coarse);
    if (deriveUnknownSample(code).Tipo == "P") r[std::size_t(Result::TInversion)] = inversionK(code, coarse);
    return r;
}

} // namespace eh::clase
