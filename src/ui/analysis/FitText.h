#pragma once
// Fit results and the table's cells as the window and the report show them.

#include <QString>
#include <optional>

#include "analysis/Analysis.h"

namespace eh::analysis {

// "E_g (σ) = 0.766 ± 0.0003 eV  (27 puntos, R² = 0.99999)", or the reason why not.
QString fitSummary(const FitResult& f);
// A value with its uncertainty, both rounded to the uncertainty's second significant
// digit: 0.76633 ± 0.00028.
QString valueWithUncertainty(double value, double uncertainty);
// Seven significant digits in the user's notation for the table; empty when absent.
QString cellText(std::optional<double> value);
// "E_g (σ)", "E_g (R_H)", "exponente de μ_H", "R_H (campo)".
QString fitLabel(FitKind kind);
// Where R_H changes sign in a series, "" when it does not.
QString signChangeText(const Analysis& a);

} // namespace eh::analysis
