#include "model/UnknownSample.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace eh {
namespace {

// splitmix64 (Steele, Lea and Flood, 2014): written out so that the sequence is the
// same with every compiler and library.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1), exactly representable.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1p-53; }
    // 0 .. count - 1.
    std::size_t choose(std::size_t count) {
        return static_cast<std::size_t>(uniform() * static_cast<double>(count));
    }

private:
    std::uint64_t state_;
};

struct Dopant {
    const char* symbol;
    float ionisationMeV;
};

// Ionisation energies in germanium, meV (sources in the header).
constexpr std::array<Dopant, 3> kDonors{{{"P", 12.0f}, {"As", 12.7f}, {"Sb", 9.6f}}};
constexpr std::array<Dopant, 4> kAcceptors{{{"B", 10.4f}, {"Al", 10.2f}, {"Ga", 10.8f}, {"In", 11.2f}}};

double roundTo(double value, double unit) {
    return std::round(value / unit) * unit;
}

// Three significant digits, so that the doping reads as a teacher would write it.
double threeDigits(double value) {
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - 2);
    return roundTo(value, unit);
}

std::uint64_t seedOf(const SampleCode& code) {
    std::uint64_t seed = 0;
    for (int i = kCodeLength - 2; i >= 0; --i) seed = seed * 31 + code.values()[static_cast<std::size_t>(i)];
    return seed;
}

} // namespace

UnknownSample deriveUnknownSample(const SampleCode& code) {
    SplitMix64 rng(seedOf(code));
    UnknownSample s{};
    const bool nType = rng.next() % 2 == 0;
    s.Tipo = nType ? "N" : "P";
    const Dopant d = nType ? kDonors[rng.choose(kDonors.size())] : kAcceptors[rng.choose(kAcceptors.size())];
    s.dopant = d.symbol;
    s.ionisationMeV = d.ionisationMeV;
    const double logSpan = std::log(kUnknownDopingMax / kUnknownDopingMin);
    s.dopingCm3 = static_cast<float>(threeDigits(kUnknownDopingMin * std::exp(logSpan * rng.uniform())));
    const double width = roundTo(0.100 + 0.150 * rng.uniform(), 0.001);
    s.widthCm = static_cast<float>(width);
    s.lengthCm = static_cast<float>(roundTo(width * (3.0 + 2.0 * rng.uniform()), 0.001));
    s.thicknessCm = static_cast<float>(roundTo(0.0080 + 0.0120 * rng.uniform(), 0.0005));
    return s;
}

SampleRow unknownSampleRow(const UnknownSample& sample) {
    SampleRow r = catalogueMaterial();
    r.Longitud = sample.lengthCm;
    r.Anchura = sample.widthCm;
    r.Grosor = sample.thicknessCm;
    r.Tipo = sample.Tipo;
    if (sample.Tipo == "N") {
        r.E_Donador = sample.ionisationMeV;
        r.Dopado_N = sample.dopingCm3;
        r.Dopado_P = 0.0f;
    } else {
        r.E_Aceptor = sample.ionisationMeV;
        r.Dopado_P = sample.dopingCm3;
        r.Dopado_N = 0.0f;
    }
    return r;
}

} // namespace eh
