// The unknown sample a code names: a fixed list of codes keeps naming the same samples
// (an accidental change of the derivation fails here), the samples of many codes stay
// in the stated ranges, and every one of them shows freeze-out, the extrinsic plateau
// and the intrinsic region on the bench between 50 and 760 K.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "model/SampleCatalogue.h"
#include "model/Transport.h"
#include "model/UnknownSample.h"

using namespace eh;

namespace {

SampleCode codeOf(std::string_view text) {
    std::string error;
    const auto code = SampleCode::parse(text, error);
    if (!code) throw std::invalid_argument(error);
    return *code;
}

// The ionisation energies in germanium the dopants must carry (meV; Kittel, Introduction
// to Solid State Physics, ch. 8).
const std::map<std::string, std::pair<std::string, float>> kPublished = {
    {"P", {"N", 12.0f}},  {"As", {"N", 12.7f}}, {"Sb", {"N", 9.6f}},  {"B", {"P", 10.4f}},
    {"Al", {"P", 10.2f}}, {"Ga", {"P", 10.8f}}, {"In", {"P", 11.2f}},
};

std::vector<UnknownSample> randomSamples(std::size_t count) {
    std::mt19937_64 gen(4242);
    std::vector<UnknownSample> out;
    for (std::size_t k = 0; k < count; ++k) {
        std::array<std::uint8_t, kCodeLength - 1> p{};
        for (auto& v : p) v = static_cast<std::uint8_t>(gen() % 31);
        p[0] = static_cast<std::uint8_t>(4 * (p[0] % 8));
        out.push_back(deriveUnknownSample(SampleCode::fromPayload(p)));
    }
    return out;
}

// The carrier density a Hall measurement reads, 1/(e |R_H|), at B = 0.
double hallDensity(const SampleRow& row, float t) {
    float rHall = 0, rMuestra = 0;
    computeTransport(row, t, 0.0f, rHall, rMuestra);
    return 1.0 / (1.6e-19 * std::fabs(double{rHall}));
}

} // namespace

TEST(UnknownSample, FixedCodesKeepTheirSamples) {
    struct Row {
        const char* code;
        const char* type;
        const char* dopant;
        float energy, doping, length, width, thickness;
    } rows[] = {
        {"6F4T-8VWM", "N", "P", 12.0f, 8.26e15f, 0.480f, 0.111f, 0.0185f},
        {"XANG-DJC9", "P", "B", 10.4f, 1.43e16f, 1.142f, 0.234f, 0.0115f},
        {"X85Q-FS3S", "P", "Ga", 10.8f, 4.28e15f, 1.075f, 0.219f, 0.0170f},
        {"TWSH-3NKM", "N", "Sb", 9.6f, 4.78e15f, 0.753f, 0.235f, 0.0170f},
        {"EZTQ-7SPH", "N", "As", 12.7f, 4.96e15f, 0.637f, 0.187f, 0.0140f},
        {"ADBQ-TPT7", "N", "P", 12.0f, 1.04e16f, 0.901f, 0.219f, 0.0095f},
        {"2ASP-6KHF", "N", "P", 12.0f, 5.46e15f, 0.723f, 0.223f, 0.0125f},
        {"2ZGT-N3TS", "P", "Ga", 10.8f, 3.28e15f, 0.377f, 0.119f, 0.0180f},
    };
    for (const Row& r : rows) {
        const UnknownSample s = deriveUnknownSample(codeOf(r.code));
        EXPECT_EQ(s.Tipo, r.type) << r.code;
        EXPECT_EQ(s.dopant, r.dopant) << r.code;
        EXPECT_EQ(s.ionisationMeV, r.energy) << r.code;
        EXPECT_EQ(s.dopingCm3, r.doping) << r.code;
        EXPECT_EQ(s.lengthCm, r.length) << r.code;
        EXPECT_EQ(s.widthCm, r.width) << r.code;
        EXPECT_EQ(s.thicknessCm, r.thickness) << r.code;
    }
}

// The same sample whatever way the code was typed.
TEST(UnknownSample, FollowsFromTheCodeAlone) {
    const UnknownSample a = deriveUnknownSample(codeOf("TWSH-3NKM"));
    const UnknownSample b = deriveUnknownSample(codeOf(" twsh3nkm"));
    EXPECT_EQ(std::tie(a.Tipo, a.dopant, a.dopingCm3, a.lengthCm, a.widthCm, a.thicknessCm),
              std::tie(b.Tipo, b.dopant, b.dopingCm3, b.lengthCm, b.widthCm, b.thicknessCm));
}

TEST(UnknownSample, TenThousandCodesStayInTheirRangesAndUseEveryDopant) {
    std::map<std::string, int> dopants;
    int nType = 0, belowMiddle = 0;
    const auto samples = randomSamples(10000);
    for (const UnknownSample& s : samples) {
        ++dopants[s.dopant];
        nType += s.Tipo == "N";
        ASSERT_EQ(kPublished.count(s.dopant), 1u) << s.dopant;
        EXPECT_EQ(kPublished.at(s.dopant).first, s.Tipo) << s.dopant;
        EXPECT_EQ(kPublished.at(s.dopant).second, s.ionisationMeV) << s.dopant;
        EXPECT_GE(s.dopingCm3, 2e15f);
        EXPECT_LE(s.dopingCm3, 2e16f);
        // Three significant digits.
        const double mantissa = s.dopingCm3 / std::pow(10.0, std::floor(std::log10(s.dopingCm3)) - 2);
        EXPECT_NEAR(mantissa, std::round(mantissa), 1e-4) << s.dopingCm3;
        // Log-uniform: half of the samples below the geometric middle, 6.32e15.
        belowMiddle += s.dopingCm3 < std::sqrt(2e15 * 2e16);
        EXPECT_GE(s.widthCm, 0.100f);
        EXPECT_LE(s.widthCm, 0.250f);
        EXPECT_GE(s.lengthCm / s.widthCm, 3.0f - 0.01f);
        EXPECT_LE(s.lengthCm / s.widthCm, 5.0f + 0.01f);
        EXPECT_GE(s.thicknessCm, 0.0080f);
        EXPECT_LE(s.thicknessCm, 0.0200f);
        EXPECT_NEAR(s.thicknessCm / 0.0005, std::round(s.thicknessCm / 0.0005), 1e-3) << s.thicknessCm;
    }
    EXPECT_EQ(dopants.size(), 7u);
    for (const auto& [symbol, count] : dopants) {
        // One type in two, then one dopant in three donors or four acceptors.
        const double expected = 10000.0 / 2 / (kPublished.at(symbol).first == "N" ? 3 : 4);
        EXPECT_NEAR(count, expected, 0.1 * expected) << symbol;
    }
    EXPECT_NEAR(nType, 5000, 200);
    EXPECT_NEAR(belowMiddle, 5000, 200);
}

// The row is the catalogue's germanium with the bar's own type, dopant, doping and
// dimensions: sample 1's values give sample 1's row, field by field.
TEST(UnknownSample, RowIsTheCataloguesMaterial) {
    SampleCatalogue cat;
    cat.fill();
    const SampleRow& one = cat.row(1);
    const SampleRow r = unknownSampleRow({"N", "x", 10.0f, 2e15f, 0.3f, 0.2f, 0.01f});
    EXPECT_EQ(std::tie(r.Longitud, r.Anchura, r.Grosor, r.Mu_Red_Coef_N, r.Mu_Red_Exp_N, r.Mu_Imp_Coef_N,
                       r.Mu_Red_Coef_P, r.Mu_Red_Exp_P, r.Mu_Imp_Coef_P, r.Eg_300, r.Eg_Coef_T, r.Valles,
                       r.Masa_N, r.Masa_Ligeros, r.Masa_Pesados, r.E_Donador, r.Dopado_N, r.E_Aceptor,
                       r.Dopado_P, r.Tipo),
              std::tie(one.Longitud, one.Anchura, one.Grosor, one.Mu_Red_Coef_N, one.Mu_Red_Exp_N,
                       one.Mu_Imp_Coef_N, one.Mu_Red_Coef_P, one.Mu_Red_Exp_P, one.Mu_Imp_Coef_P, one.Eg_300,
                       one.Eg_Coef_T, one.Valles, one.Masa_N, one.Masa_Ligeros, one.Masa_Pesados,
                       one.E_Donador, one.Dopado_N, one.E_Aceptor, one.Dopado_P, one.Tipo));
    const SampleRow p = unknownSampleRow({"P", "In", 11.2f, 5e15f, 0.5f, 0.1f, 0.012f});
    EXPECT_EQ(std::tie(p.Tipo, p.E_Aceptor, p.Dopado_P, p.Dopado_N), std::tuple("P", 11.2f, 5e15f, 0.0f));
    EXPECT_EQ(p.Eg_300, 660.0f); // the gap is the catalogue's
}

// Freeze-out at 50 K (at least 5 % of the carriers bound), the extrinsic plateau at
// 300 K (the Hall density is the doping) and the intrinsic region at 760 K (ten times
// the doping or more), for the range's ends with the shallowest and deepest dopants
// and for 10 000 codes.
TEST(UnknownSample, EverySampleShowsTheThreeRegions) {
    std::vector<UnknownSample> samples = randomSamples(10000);
    for (double doping : {kUnknownDopingMin, kUnknownDopingMax})
        for (const auto& [symbol, typeEnergy] : kPublished)
            samples.push_back({typeEnergy.first, symbol, typeEnergy.second, static_cast<float>(doping), 0.5f,
                               0.15f, 0.01f});
    for (const UnknownSample& s : samples) {
        const SampleRow row = unknownSampleRow(s);
        const double n = s.dopingCm3;
        EXPECT_LE(hallDensity(row, 50.0f) / n, 0.95) << s.dopant << " " << n;
        EXPECT_NEAR(hallDensity(row, 300.0f) / n, 1.0, 1e-3) << s.dopant << " " << n;
        EXPECT_GE(hallDensity(row, 760.0f) / n, 10.0) << s.dopant << " " << n;
    }
}
