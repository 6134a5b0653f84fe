#pragma once
// How well each reading of a record is known: the one uncertainty model of the
// analysis. Every reading is taken from a display, so its standard uncertainty is
// that of rounding to the display's last digit: a uniform error of half a step either
// way, step / (2 sqrt 3). The course's chapter on errors tells the same story for the
// voltmeter (10 uV step, +-5 uV, 5/sqrt 3 = 3 uV).
//
//   voltmeter "00.00000" V      step 1e-5 V      u = 2.9e-6 V
//   source    "00.000" mA       step 0.001 mA    u = 2.9e-4 mA
//   sample temperature "000.0"  step 0.1 K       u = 0.029 K
//   magnet current "0.00" A     step 0.01 A      u = 0.0029 A, carried to the field
//                               through its law B = 1000 I - 10 I^2 (G, I in A)
//   bar dimensions              exact, as the chapter says of the bench's bars (a real
//                               bar's thickness, 1 um in 100 um, would scale rho and R_H
//                               by one common factor and move no slope)
//
// The temperature enters no single quantity; it enters the fits as the uncertainty of
// their abscissa (and of T^3/2 in the Hall gap).

namespace eh::analysis {

inline constexpr double kVoltmeterStepV = 1e-5;
inline constexpr double kCurrentStepMa = 1e-3;
inline constexpr double kTemperatureStepK = 0.1;
inline constexpr double kMagnetCurrentStepA = 0.01;
inline constexpr double kFieldStepG = 1; // the field is written to the gauss

// Standard uncertainty of a reading rounded to `step`: step / (2 sqrt 3).
constexpr double roundingUncertainty(double step) {
    return step * 0.28867513459481288;
}

// Standard uncertainty of a nominal field, G, from the magnet current's display.
double fieldUncertaintyG(double fieldG);

// Standard uncertainty of the Hall voltage: (V+ - V-)/2 from both switch positions,
// one reading alone from one.
double hallVoltageUncertaintyV(bool onePolarity);

} // namespace eh::analysis
