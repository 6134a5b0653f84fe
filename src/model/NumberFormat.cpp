#include "model/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace eh {
namespace {

constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

void appendDigits(std::string& out, std::uint64_t v, int minDigits) {
    char buf[24];
    int n = 0;
    do {
        buf[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int i = n; i < minDigits; ++i) out.push_back('0');
    while (n > 0) out.push_back(buf[--n]);
}

// Rounds |value| * 10^decimals to an integer, halves away from zero, using the exact
// product: fma recovers the rounding error of the multiplication.
bool roundScaled(double magnitude, int decimals, std::uint64_t& result) {
    const double scale = kPow10[decimals];
    const double t = magnitude * scale;
    if (!(t < 9.0e15)) return false;
    const double err = std::fma(magnitude, scale, -t);
    const double whole = std::floor(t);
    const double frac = t - whole;
    const bool up = frac > 0.5 || (frac == 0.5 && err >= 0.0);
    result = static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
    return true;
}

// Seven significant digits of a float, as mantissa digits (trailing zeros removed)
// and the decimal exponent of the first digit.
struct Decimal {
    bool negative = false;
    std::string digits; // "15" for 1.5E-05
    int exponent = 0;   // -5 for 1.5E-05
};

Decimal toDecimal(float value) {
    Decimal d;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6e", static_cast<double>(value));
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p)
        if (*p != '.') d.digits.push_back(*p);
    d.exponent = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits == "0") {
        d.negative = false;
        d.exponent = 0;
    }
    return d;
}

std::string plainOrExponent(float value, bool leadingBlank, bool leadingZero) {
    if (std::isnan(value)) return leadingBlank ? " NaN" : "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : (leadingBlank ? " Inf" : "Inf");
    const Decimal d = toDecimal(value);
    std::string out;
    if (d.negative)
        out.push_back('-');
    else if (leadingBlank)
        out.push_back(' ');
    if (d.digits == "0") {
        out.push_back('0');
        return out;
    }
    const int e = d.exponent;
    const int n = static_cast<int>(d.digits.size());
    if (e <= -5 || e >= 7) {
        out.push_back(d.digits[0]);
        if (n > 1) {
            out.push_back('.');
            out.append(d.digits, 1);
        }
        out.push_back('E');
        out.push_back(e < 0 ? '-' : '+');
        appendDigits(out, static_cast<std::uint64_t>(std::abs(e)), 2);
    } else if (e < 0) {
        if (leadingZero) out.push_back('0');
        out.push_back('.');
        out.append(static_cast<std::size_t>(-e - 1), '0');
        out.append(d.digits);
    } else {
        out.append(d.digits, 0, static_cast<std::size_t>(std::min(n, e + 1)));
        for (int i = n; i < e + 1; ++i) out.push_back('0');
        if (n > e + 1) {
            out.push_back('.');
            out.append(d.digits, static_cast<std::size_t>(e) + 1);
        }
    }
    return out;
}

} // namespace

std::string formatPattern(double value, NumberPattern pattern, char decimalSeparator) {
    std::uint64_t scaled = 0;
    if (std::isnan(value) || !roundScaled(std::fabs(value), pattern.decimals, scaled)) {
        // Beyond any reading the bench produces; keep the text honest rather than pretty.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", pattern.decimals, value);
        return buf;
    }
    std::string out;
    if (value < 0 && scaled != 0) out.push_back('-');
    const auto unit = static_cast<std::uint64_t>(kPow10[pattern.decimals]);
    appendDigits(out, scaled / unit, pattern.intDigits);
    if (pattern.decimals > 0) {
        out.push_back(decimalSeparator);
        appendDigits(out, scaled % unit, pattern.decimals);
    }
    return out;
}

std::string numberToText(float value) {
    return plainOrExponent(value, true, false);
}

std::string numberToText(std::int64_t value) {
    std::string out(value < 0 ? "-" : " ");
    appendDigits(out, value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value),
                 1);
    return out;
}

// The data file writes 0.12345 with its leading zero, which every spreadsheet and
// script reads; it switches to exponent form below 1E-04 and from 1E+07 on, where
// seven significant digits no longer fit the plain form without padding zeros.
std::string formatDataValue(float value) {
    return plainOrExponent(value, false, true);
}

} // namespace eh
