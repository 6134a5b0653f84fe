// No infinity and no non-number ever stands as a result: a record no bench gives is
// refused with its reason, a reading too small to divide by leaves its quantities empty
// with the reason, and every fit gives a finite value or says why it has none.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "analysis/CsvOutput.h"
#include "analysis/Fits.h"

using namespace eh::analysis;

namespace {

const Geometry kBar{0.3, 0.2, 0.01};
constexpr double kGapEv = 0.7;
constexpr double kBoltzmann = 8.617333262e-5; // eV/K

std::string exact(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// A data file of 31 records from 500 to 800 K whose conductivity and R_H T^3/2 both
// follow exp(-E_g / 2kT) with E_g = 0.7 eV, and three records at 300 K for the field
// fit: Vr = rho I L / (a d), V_H = R_H I B / (d 1e11), at 10 mA and 9000 G.
std::string lawRecord(int k, double t, double fieldG) {
    const double activation = std::exp(kGapEv / (2 * kBoltzmann * t));
    const double rho = 1e-5 * activation, rh = -100 * activation / (t * std::sqrt(t));
    const double vr = rho * 10 / 1000 * kBar.lengthCm / (kBar.widthCm * kBar.thicknessCm);
    const double vh = rh * 10 * fieldG / (kBar.thicknessCm * 1e11);
    return std::to_string(k) + "," + exact(t) + "," + exact(fieldG) + ",10," + exact(vr) + "," + exact(-vh) +
           "," + exact(vh);
}

std::string benchText() {
    std::string text;
    int k = 0;
    for (int t = 500; t <= 800; t += 10) text += lawRecord(++k, t, 9000) + "\r\n";
    for (double b : {3000, 6000, 9000}) text += lawRecord(++k, 300, b) + "\r\n";
    return text;
}

// The record at 650 K with some of its seven fields replaced.
std::string hostile(std::initializer_list<std::pair<int, std::string>> changes) {
    std::vector<std::string> fields;
    const std::string line = lawRecord(99, 650, 9000);
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    for (const auto& [index, text] : changes) fields.at(index) = text;
    std::string out = fields[0];
    for (std::size_t i = 1; i < fields.size(); ++i) out += "," + fields[i];
    return out;
}

bool hasNonNumber(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

} // namespace

// The attacks of a hostile file, one record each at 650 K among good ones: refused with
// the reason the user reads, or kept with its quantities empty and the reason; the fits
// still find the band gap of the good records, and nothing written is inf or nan.
TEST(NonNumbers, EachHostileRecordIsRefusedOrLeftEmptyWithItsReason) {
    const double under = std::nextafter(5e-6, 0.0);
    struct Row {
        const char* what;
        std::string line;      // record 99 at 650 K
        const char* rejection; // part of the reason; empty: kept
        const char* note;      // part of the record's note; empty: none
        bool rho, rh;          // quantities present
    } rows[] = {
        {"denormal Vr", hostile({{4, "1e-320"}}), "", "última cifra del voltímetro", false, true},
        {"Vr just under the last digit", hostile({{4, exact(under)}}), "", "última cifra del voltímetro",
         false, true},
        {"Vr at half the last digit", hostile({{4, "5e-06"}}), "", "", true, true},
        {"tiny Vr, rho 6.7e-301", hostile({{4, "1e-300"}}), "", "última cifra del voltímetro", false, true},
        {"V+- at 1e308", hostile({{5, "1e308"}, {6, "-1e308"}}), "lectura Hall con « - » de 1e308 V", "",
         false, false},
        {"current 1e308", hostile({{3, "1e308"}}), "corriente de 1e308 mA", "", false, false},
        {"temperature 1e308", hostile({{1, "1e308"}}), "temperatura de 1e308 K", "", false, false},
        {"denormal temperature", hostile({{1, "1e-320"}}), "por debajo de 1 K", "", false, false},
        {"denormal current", hostile({{3, "1e-320"}}), "", "la corriente no llega", false, false},
        {"current just under its last digit", hostile({{3, exact(std::nextafter(5e-4, 0.0))}}), "",
         "la corriente no llega", false, false},
        {"current at half its last digit", hostile({{3, "0.0005"}}), "", "", true, true},
        {"magnet off", hostile({{2, "0"}}), "", "", true, false},
        {"denormal field", hostile({{2, "1e-300"}}), "", "campo es menor de 0,5 G", true, false},
        {"field at half a gauss", hostile({{2, "0.5"}}), "", "", true, true},
        {"denormal Hall readings", hostile({{5, "1e-300"}, {6, "-1e-300"}}), "", "tensión Hall no llega",
         true, false},
        {"Hall voltage just under the last digit", hostile({{5, exact(under)}, {6, exact(-under)}}), "",
         "tensión Hall no llega", true, false},
    };
    for (const Row& row : rows) {
        DataSet data;
        std::string error;
        ASSERT_TRUE(parseDataText(benchText() + row.line + "\r\n", data, error)) << error;
        const bool kept = *row.rejection == '\0';
        ASSERT_EQ(data.rejected.size(), kept ? 0u : 1u)
            << row.what << ": " << (data.rejected.empty() ? "" : data.rejected[0].reason);
        ASSERT_EQ(data.records.size(), kept ? 35u : 34u) << row.what;
        if (!kept) {
            EXPECT_NE(data.rejected[0].reason.find(row.rejection), std::string::npos)
                << row.what << ": " << data.rejected[0].reason;
            EXPECT_EQ(data.rejected[0].line, 35) << row.what;
        }
        const std::vector<Derived> derived = deriveAll(data.records, kBar);
        for (std::size_t i = 0; i + 1 < derived.size(); ++i)
            EXPECT_EQ(derived[i].note, "") << row.what << " " << i;
        if (kept) {
            const Derived& d = derived.back();
            EXPECT_EQ(d.rhoOhmCm.has_value() && d.sigmaSCm.has_value(), row.rho) << row.what;
            EXPECT_EQ(d.hallCm3C.has_value() && d.densityCm3.has_value(), row.rh) << row.what;
            EXPECT_EQ(d.mobilityCm2Vs.has_value(), row.rho && row.rh) << row.what;
            if (*row.note == '\0')
                EXPECT_EQ(d.note, "") << row.what;
            else
                EXPECT_NE(d.note.find(row.note), std::string::npos) << row.what << ": " << d.note;
        }
        FitSettings settings;
        settings.mobility = {500, 800}; // mu_H = |R_H| / rho goes as T^-3/2
        const std::vector<FitResult> fits = runAllFits(data.records, derived, kBar, settings);
        for (const FitResult& f : fits) {
            // A record that makes the slope meaningless leaves the fit undone, said so.
            if (!f.value && f.note.find("incertidumbre relativa") != std::string::npos) continue;
            ASSERT_TRUE(f.value.has_value()) << row.what << " " << fitName(f.kind) << ": " << f.note;
            EXPECT_TRUE(std::isfinite(*f.value) && std::isfinite(*f.uncertainty) &&
                        std::isfinite(f.line->rSquared))
                << row.what << " " << fitName(f.kind);
        }
        // A record refused or left without a quantity moves no fit of that quantity:
        // each gives the law's value from the good records alone.
        const bool sigma = kept && row.rho, hall = kept && row.rh;
        if (!sigma) {
            EXPECT_NEAR(*fits[0].value, kGapEv, 1e-9) << row.what;
        }
        if (!hall) {
            EXPECT_NEAR(*fits[1].value, kGapEv, 1e-9) << row.what;
        }
        if (!sigma || !hall) {
            EXPECT_NEAR(*fits[2].value, 1.5, 1e-9) << row.what;
        }
        EXPECT_NEAR(*fits[3].value / (-100 * std::exp(kGapEv / (2 * kBoltzmann * 300)) / std::pow(300, 1.5)),
                    1, 1e-9)
            << row.what;
        for (const CsvStyle style : {CsvStyle::CommaPoint, CsvStyle::SemicolonComma}) {
            EXPECT_FALSE(hasNonNumber(tableCsv(data.records, derived, style))) << row.what;
            EXPECT_FALSE(hasNonNumber(fitsCsv(fits, style))) << row.what;
        }
    }
}

// Records that never went through the reader (a caller of its own) still give no
// infinity: a fit whose points are not finite has no value and says so.
TEST(NonNumbers, FitOfPointsThatAreNotFiniteSaysSo) {
    std::vector<Record> records;
    for (double t : {1e300, 2e300, 3e300, 4e300})
        records.push_back(Record{
            .temperatureK = t, .fieldG = 9000, .currentMa = 10, .vrV = 1, .vMinusV = 0.1, .vPlusV = -0.1});
    const std::vector<Derived> derived = deriveAll(records, kBar);
    FitSettings settings;
    settings.gap = {0, 1e301};
    const FitResult f = runFit(FitKind::GapSigma, records, derived, kBar, settings);
    EXPECT_EQ(f.used.size(), 4u);
    EXPECT_FALSE(f.value || f.uncertainty || f.line);
    EXPECT_EQ(f.note, "el ajuste no da un número finito");
    EXPECT_FALSE(hasNonNumber(fitsCsv({f}, CsvStyle::CommaPoint)));
}

// The same for quantities: a resistivity that underflows (its conductivity would be
// infinite) or a Hall voltage that overflows is absent, with the reason.
TEST(NonNumbers, QuantitiesOfRecordsThatAreNotReadingsAreAbsent) {
    struct Row {
        Record r;
        const char* note;
    } rows[] = {
        {Record{.temperatureK = 300, .fieldG = 0, .currentMa = 1e308, .vrV = 1e-5},
         "ρ no es un número finito"},
        {Record{.temperatureK = 300,
                .fieldG = 9000,
                .currentMa = 10,
                .vrV = 0,
                .vMinusV = -1e308,
                .vPlusV = 1e308},
         "V_H no es un número finito"},
    };
    for (const Row& row : rows) {
        const Derived d = derive(row.r, kBar);
        EXPECT_FALSE(d.rhoOhmCm || d.sigmaSCm || d.hallV || d.hallCm3C || d.mobilityCm2Vs) << row.note;
        EXPECT_EQ(d.note, row.note);
    }
}
