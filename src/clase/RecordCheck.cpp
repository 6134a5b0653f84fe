#include "clase/RecordCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "model/Reading.h"
#include "model/Transport.h"
#include "model/UnknownSample.h"

namespace eh::clase {
namespace {

struct Interval {
    double low = INFINITY, high = -INFINITY;
    void add(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool holds(double v) const {
        const double slack = kReadingSlack * std::max(std::fabs(low), std::fabs(high));
        return v >= low - slack && v <= high + slack;
    }
};

struct Expected {
    Interval vr, vPlus, vMinus;
};

// The readings the sample gives near the record's temperature; nothing when the model
// cannot be evaluated there (a temperature no bench reaches).
std::optional<Expected> expectedReadings(const SampleRow& row, const analysis::Record& r) {
    Expected e;
    const auto field = static_cast<float>(r.fieldG);
    const auto current = static_cast<float>(r.currentMa);
    const int steps = static_cast<int>(std::lround(2 * kTemperatureSlackK / kTemperatureGridK));
    try {
        for (int i = 0; i <= steps; ++i) {
            const auto t = static_cast<float>(r.temperatureK - kTemperatureSlackK + i * kTemperatureGridK);
            if (!(t > 0)) continue;
            float rHall = 0, rSample = 0;
            computeTransport(row, t, field, rHall, rSample);
            e.vr.add(computeReading(1, current, rSample, rHall, field, 1, row.Grosor).toSingle());
            e.vPlus.add(computeReading(2, current, rSample, rHall, field, 1, row.Grosor).toSingle());
            e.vMinus.add(computeReading(2, current, rSample, rHall, field, -1, row.Grosor).toSingle());
            const auto lower = static_cast<float>(field * (1 - kFieldSlack));
            computeTransport(row, t, lower, rHall, rSample);
            e.vPlus.add(computeReading(2, current, rSample, rHall, lower, 1, row.Grosor).toSingle());
            e.vMinus.add(computeReading(2, current, rSample, rHall, lower, -1, row.Grosor).toSingle());
            computeTransport(row, t, 0.0f, rHall, rSample);
            e.vr.add(computeReading(1, current, rSample, rHall, 0.0f, 1, row.Grosor).toSingle());
        }
    } catch (const ModelFault&) {
        return std::nullopt;
    }
    if (e.vr.low > e.vr.high) return std::nullopt;
    return e;
}

std::string describe(const char* name, double reading, const Interval& range) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "%s = %.7g V, la muestra da entre %.7g y %.7g V", name, reading, range.low,
                  range.high);
    return buf;
}

} // namespace

CheckReport checkRecords(const SampleCode& code, const std::vector<analysis::Record>& records) {
    const SampleRow row = unknownSampleRow(deriveUnknownSample(code));
    CheckReport report;
    report.records = static_cast<int>(records.size());
    for (const analysis::Record& r : records) {
        const auto e = expectedReadings(row, r);
        if (!e) {
            report.mismatches.push_back({r.line, "la muestra no da lecturas a esa temperatura"});
            continue;
        }
        std::string reason;
        const auto note = [&reason](const std::string& part) {
            reason += (reason.empty() ? "" : "; ") + part;
        };
        if (!e->vr.holds(r.vrV)) note(describe("VR", r.vrV, e->vr));
        if (!e->vMinus.holds(r.vMinusV)) note(describe("VH-", r.vMinusV, e->vMinus));
        if (!e->vPlus.holds(r.vPlusV)) note(describe("VH+", r.vPlusV, e->vPlus));
        if (reason.empty())
            ++report.matching;
        else
            report.mismatches.push_back({r.line, reason});
    }
    if (report.records > 0 && report.matching == report.records)
        report.verdict = Verdict::Consistent;
    else if (report.records > 0 && 2 * report.matching >= report.records)
        report.verdict = Verdict::Edited;
    else
        report.verdict = Verdict::OtherSample;
    return report;
}

std::string verdictText(const CheckReport& report, const std::string& code) {
    switch (report.verdict) {
    case Verdict::Consistent:
        return "el fichero es coherente con la muestra " + code + ": se midió en ella";
    case Verdict::Edited:
        return "el fichero se midió en la muestra " + code + ", pero " +
               std::to_string(report.mismatches.size()) +
               (report.mismatches.size() == 1 ? " registro tiene lecturas" : " registros tienen lecturas") +
               " que la muestra no da (editadas a mano, o tomadas sin esperar a que la temperatura se "
               "estabilizara)";
    case Verdict::OtherSample:
        break;
    }
    return "el fichero NO se midió en la muestra " + code;
}

} // namespace eh::clase
