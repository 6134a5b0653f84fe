#include "model/Transport.h"

#include <cfloat>
#include <cmath>

namespace eh {

ModelFault::ModelFault(ErrorCode code) : std::runtime_error("model fault"), code_(code) {}

namespace {

constexpr double kQ = 1.6e-19;   // elementary charge, C
constexpr double kNref = 2.5e19; // density of states of a unit-mass band at 300 K
constexpr double kGapDiv = 51.0; // 2kT at 300 K, meV
constexpr double kIonDiv = 25.5; // kT at 300 K, meV
constexpr double kFieldFactor = 1e-8;
constexpr double kFieldFactor2 = 1e-16;

// A double result that must be finite.
double chk(double v) {
    if (std::isnan(v)) throw ModelFault(ErrorCode::InvalidOperation);
    if (std::isinf(v)) throw ModelFault(ErrorCode::Overflow);
    return v;
}

// A value stored in single precision, as the model keeps most of its results.
float toFloat(double v) {
    chk(v);
    if (std::fabs(v) > static_cast<double>(FLT_MAX)) throw ModelFault(ErrorCode::Overflow);
    return static_cast<float>(v);
}

double divide(double a, double b) {
    if (b == 0.0) throw ModelFault(ErrorCode::DivisionByZero);
    return chk(a / b);
}

// Lattice and impurity scattering combined by Matthiessen's rule.
float mobility(double t, double tPow15, float redCoef, float redExp, float impCoef) {
    const float lattice = toFloat(chk(std::pow(divide(1.0, t), redExp)) * redCoef);
    const float impurity = toFloat(tPow15 * impCoef);
    const double muL = lattice, muI = impurity;
    return toFloat(divide(muI * muL, muI + muL));
}

// Free carriers in the freeze-out regime: the positive root of the ionisation
// balance 2r·n² + n = N.
double frozen(double r, double doping) {
    return divide(std::sqrt(chk(r * 8.0 * doping + 1.0)) - 1.0, r * 4.0);
}

} // namespace

void computeTransport(const SampleRow& c, float tf, float bf, float& rHall, float& rMuestra) {
    const double t = tf, b = bf;
    const double tPow15 = chk(std::pow(t, 1.5));
    const double muN = mobility(t, tPow15, c.Mu_Red_Coef_N, c.Mu_Red_Exp_N, c.Mu_Imp_Coef_N);
    const double muP = mobility(t, tPow15, c.Mu_Red_Coef_P, c.Mu_Red_Exp_P, c.Mu_Imp_Coef_P);

    const double eg = toFloat((300.0 - t) * c.Eg_Coef_T + c.Eg_300);
    const double tRatio15 = chk(std::pow(t / 300.0, 1.5));
    const double nc = chk(std::pow(double{c.Masa_N}, 1.5) * (c.Valles * kNref) * tRatio15);
    const double nv = chk(kNref * std::pow(double{c.Masa_Pesados}, 1.5) * tRatio15 +
                          tRatio15 * (std::pow(double{c.Masa_Ligeros}, 1.5) * kNref));
    const double ni = toFloat(chk(std::sqrt(chk(nc * nv)) * std::exp(divide(-eg * 300.0, t * kGapDiv))));

    const bool typeN = c.Tipo == "N";
    const bool typeP = c.Tipo == "P";
    const double theta = typeN ? c.E_Donador * 450.0 / kIonDiv : c.E_Aceptor * 450.0 / kIonDiv;

    double n = 0.0, p = 0.0;
    if (t <= theta) {
        if (typeN) {
            const double r = toFloat(divide(chk(std::exp(divide(c.E_Donador * 300.0, t * kIonDiv))), nc));
            n = frozen(r, c.Dopado_N);
        } else if (typeP) {
            const double r = toFloat(divide(chk(std::exp(divide(c.E_Aceptor * 300.0, t * kIonDiv))), nv));
            p = frozen(r, c.Dopado_P);
        }
    } else {
        const double ni2 = chk(ni * ni);
        if (typeN) {
            const double nd = c.Dopado_N;
            n = chk((std::sqrt(chk(ni2 * 4.0 + nd * nd)) + nd) / 2.0);
            p = divide(ni2, n);
        } else if (typeP) {
            const double na = c.Dopado_P;
            p = chk((std::sqrt(chk(ni2 * 4.0 + na * na)) + na) / 2.0);
            n = divide(ni2, p);
        }
    }

    const double x = toFloat(b * (typeN ? muN : muP) * kFieldFactor);
    double sigma;
    if (x * x <= 0.01) {
        const double sum = chk(n * muN + p * muP);
        sigma = toFloat(kQ * sum);
        rHall = toFloat(divide(chk(p * (muP * muP) - n * (muN * muN)), chk(kQ * (sum * sum))));
    } else {
        const double bp = b * muP * kFieldFactor, bn = b * muN * kFieldFactor;
        const double sp = toFloat(divide(kQ * p * muP, 1.0 + bp * bp));
        const double sn = toFloat(divide(kQ * n * muN, 1.0 + bn * bn));
        const double d = muP * sp - sn * muN;
        const double s = sn + sp;
        const double magneto = chk((b * b) * (d * d) * kFieldFactor2);
        rHall = toFloat(divide(d, chk(s * s + magneto)));
        sigma = toFloat(s + divide(magneto, s));
    }

    const double rho = toFloat(divide(1.0, sigma));
    rMuestra = toFloat(divide(rho * c.Longitud, double{c.Grosor} * c.Anchura));
}

} // namespace eh
