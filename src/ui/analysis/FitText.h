#pragma once
// Fit results and the table's cells as the window and the report show them: Spanish
// numbers (analysis/NumberText.h), units written one way, and the reason in words
// wherever a number cannot be given.

#include <QString>
#include <optional>
#include <vector>

#include "analysis/Analysis.h"

namespace eh::analysis {

enum class Unit {
    None,
    ElectronVolt,
    Kelvin,
    Volt,
    Milliampere,
    Gauss,
    Resistivity,
    Conductivity,
    Hall,
    Density,
    Mobility
};

// "eV", "K", "V", "mA", "G", "Ω·cm", "S/cm", "cm³/C", "cm⁻³", "cm²/(V·s)"; "" for None.
QString unitText(Unit unit);
// The unit of a fit's value as shown: eV, cm³/C, none for the exponent.
Unit fitValueUnit(FitKind kind);

// A value with its uncertainty, the uncertainty to two significant figures and the
// value to the same decimal place: "0,7663 ± 0,0028".
QString valueWithUncertainty(double value, double uncertainty);
// The same with its unit: "0,7663 ± 0,0028 eV", "(1,352 ± 0,027)·10¹⁷ cm⁻³".
QString measurementText(double value, double uncertainty, Unit unit);

// The mobility law a fitted exponent p gives, μ_H ∝ T^−p, to the decimals its
// uncertainty allows (three without one): "μ_H ∝ T^−1,659"; "μ_H ∝ T^2,5" for p = −2.5.
QString mobilityLawText(double exponent, std::optional<double> uncertainty = std::nullopt);

// "E_g (σ)", "E_g (R_H)", "exponente de μ_H", "R_H (campo)".
QString fitLabel(FitKind kind);
// "E_g (σ) = 0,7663 ± 0,0028 eV  (27 puntos entre 500 y 800 K, R² = 0,999981)", the
// mobility exponent with its law, or "E_g (σ): sin ajuste (<why>)".
QString fitSummary(const FitResult& f);
// "χ² reducido = 1,3; mínimos cuadrados ordinarios" (or "ponderados por 1/u²", saying
// when the uncertainty was widened by the scatter); "" for a fit not done.
QString fitQualityText(const FitResult& f);
// The field fit's intercept: "ordenada en el origen: (1,2 ± 0,4)·10⁻⁵ V"; "" otherwise.
QString interceptText(const FitResult& f);
// "E_g (σ) − E_g (R_H) = 0,024 eV: estimación del error sistemático del método", or
// which band gap is missing; "" when `fits` holds neither band-gap fit.
QString gapDifferenceText(const std::vector<FitResult>& fits);

// A table cell: `significant` figures in Spanish notation, whole numbers below 10⁹
// (record numbers, fields) in full; empty when absent.
QString cellText(std::optional<double> value, int significant = 7);
// Where R_H changes sign in a series, "" when it does not.
QString signChangeText(const Analysis& a);
// "Fuera de los ajustes: n.º 12 (650 K), n.º 14 (670 K)": the records the user left out
// of the fits, "" when none.
QString leftOutText(const Analysis& a, const FitSettings& settings);

} // namespace eh::analysis
