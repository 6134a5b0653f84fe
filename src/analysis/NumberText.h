#pragma once
// Numbers as a Spanish-speaking student reads them (UTF-8): a decimal comma, a real
// minus sign, powers of ten written out ("1,35·10¹⁷") instead of "e+17", and a value
// quoted to the decimal place its uncertainty allows. The CSV files do not use these:
// their cells are numbers for a spreadsheet, not text to read.

#include <string>

namespace eh::analysis {

// `value` rounded to `decimals` places: "0,7663", "−12,5". Never "−0": a value that
// rounds to zero is written without a sign.
std::string decimalText(double value, int decimals);

// `value` to `significant` figures, trailing zeros dropped: "300,1", "0,00125",
// "1,35·10¹⁷", "2·10⁻⁵" (the power-of-ten form below 0,001 and from 10⁶ on).
// A value that is not a finite number gives "no es un número finito".
std::string numberText(double value, int significant);

// "·10¹⁷", "·10⁻⁵": the power-of-ten factor with superscript digits.
std::string powerOfTenText(int exponent);

// The value and its standard uncertainty, the uncertainty rounded to two significant
// figures and the value to the same decimal place: "0,7663 ± 0,0028",
// "−3125 ± 12", "(1,352 ± 0,027)·10¹⁷" (the power-of-ten form
// as numberText chooses it, from the larger of the two). Without a positive finite uncertainty, the
// value alone to four figures.
std::string valueWithUncertaintyText(double value, double uncertainty);

// The decimal place (as a power of ten) of an uncertainty's second significant figure
// after rounding: -4 for 0.00283, 0 for 12.4, -2 for 0.0996 (which rounds to 0.10).
int secondFigurePlace(double uncertainty);

} // namespace eh::analysis
