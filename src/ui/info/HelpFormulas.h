#pragma once
// The formulas of the switch-box and electromagnet help windows, set with the typesetter
// of FormulaLayout.h.

#include "ui/info/FormulaLayout.h"

namespace eh::helpformulas {

typeset::NodePtr resistivity();     // ρ = V_r·a·d / (I·L)
typeset::NodePtr hallCoefficient(); // R_H = V_H·d / (I·B)
typeset::NodePtr currentFall();     // I(t) = I_Max·e^(−t/τ)
typeset::NodePtr currentRise();     // I(t) = I_Max·(1 − e^(−t/τ))
typeset::NodePtr fieldOfCurrent();  // B(I) = 0.1 × I − 0.001 × I², teslas from amperes

} // namespace eh::helpformulas
