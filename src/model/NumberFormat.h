#pragma once
// Number-to-text conversions used by the readouts, the labels and the data file.

#include <cstdint>
#include <string>

namespace eh {

// A readout pattern such as "00.000": at least `intDigits` integer digits (leading
// zeros) and exactly `decimals` decimals.
struct NumberPattern {
    int intDigits;
    int decimals;
};

inline constexpr NumberPattern kPatternFuente{2, 3}; // "00.000"
inline constexpr NumberPattern kPatternTemp{3, 1};   // "000.0"
inline constexpr NumberPattern kPatternIman{1, 2};   // "0.00"
inline constexpr NumberPattern kPatternVolt{2, 5};   // "00.00000"
inline constexpr NumberPattern kPatternCount{3, 0};  // "000"

// Formats `value` with a pattern. Halves round away from zero (judged on the exact
// binary value); a value that rounds to zero never shows a minus sign.
std::string formatPattern(double value, NumberPattern pattern, char decimalSeparator);

// Plain conversion of a single-precision value: a leading blank when not negative,
// a point as separator, at most seven significant digits, no zero before the point
// (" 1", " .3", "-2.5", " 1.5E-05").
std::string numberToText(float value);
std::string numberToText(std::int64_t value);

// Data-file form of a single-precision value: no leading blank, at most seven
// significant digits, "0.3" with its leading zero, "1.5E-05" for tiny magnitudes.
std::string formatDataValue(float value);

} // namespace eh
