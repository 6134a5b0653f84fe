#pragma once
// The formulas of the switch-box and electromagnet windows.

#include "ui/info/FormulaLayout.h"

namespace eh::formulas {

formula::NodePtr resistivity();     // ρ = V_r·a·d / (I·L)
formula::NodePtr hallCoefficient(); // R_H = V_H·d / (I·B)
formula::NodePtr currentFall();     // I(t) = I_Max·e^(−t/τ)
formula::NodePtr currentRise();     // I(t) = I_Max·(1 − e^(−t/τ))
formula::NodePtr fieldOfCurrent();  // B(I) = 0.1 × I − 0.001 × I², teslas from amperes

} // namespace eh::formulas
