#pragma once
// What a record of a resistivity and Hall bench can hold, and below what a reading
// says nothing. The limits are those of benches of this kind in general (a closed-cycle
// or liquid-helium cryostat with an oven, a source of up to an ampere, an electromagnet,
// a voltmeter of five decimals), not only of this simulator, so that a file from a real
// bench is read; a value outside them is not a measurement and its line is refused.

namespace eh::analysis {

// Temperature, K: pumped helium reaches about 1.5 K; no sample holder of this kind
// goes past 1000 K (germanium melts at 1211 K).
inline constexpr double kMinTemperatureK = 1;
inline constexpr double kMaxTemperatureK = 1000;

// Source current, mA: the contacts of a bar take no more than about an ampere.
inline constexpr double kMaxCurrentMa = 1000;

// Field, gauss: an iron-core electromagnet saturates below 3 T. Zero is a resistivity
// taken with the magnet off.
inline constexpr double kMaxFieldG = 30000;

// Any of the three readings, V: a hundred volts is far past what a bar at an ampere
// gives and past the range of a voltmeter of this kind.
inline constexpr double kMaxVoltageV = 100;

// A reading whose magnitude is below half the last digit of its display shows as zero:
// the student saw nothing to divide by, so nothing is derived from it (the record is
// kept and says why). Voltmeter "00.00000" V, source "00.000" mA, field to 1 G.
inline constexpr double kVoltmeterZeroV = 0.5e-5;
inline constexpr double kCurrentZeroMa = 0.5e-3;
inline constexpr double kFieldZeroG = 0.5;

} // namespace eh::analysis
