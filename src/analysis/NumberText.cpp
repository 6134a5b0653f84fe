#include "analysis/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace eh::analysis {

namespace {

const char* const kMinus = "\u2212";
const char* const kNotFinite = "no es un número finito";

// Below this and from kLargeFrom on, a number is written with a power of ten.
constexpr double kSmallBelow = 1e-3;
constexpr double kLargeFrom = 1e6;

bool plainRange(double magnitude) {
    return magnitude >= kSmallBelow && magnitude < kLargeFrom;
}

// Fixed notation from the shortest exact rounding, independent of the C locale.
std::string fixed(double value, int decimals) {
    char buf[400];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return {buf, result.ptr};
}

// The C form ("-0.50") as read in Spanish ("−0,50"); no sign on a zero.
std::string spanish(const std::string& c) {
    const bool zero = c.find_first_of("123456789") == std::string::npos;
    std::string out;
    for (char ch : c) {
        if (ch == '-') {
            if (!zero) out += kMinus;
        } else {
            out += ch == '.' ? ',' : ch;
        }
    }
    return out;
}

std::string withoutTrailingZeros(std::string s) {
    if (s.find('.') == std::string::npos) return s;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

double powerOfTen(int exponent) {
    return std::pow(10.0, exponent);
}

int decadeOf(double magnitude) {
    return static_cast<int>(std::floor(std::log10(magnitude)));
}

} // namespace

std::string decimalText(double value, int decimals) {
    if (!std::isfinite(value)) return kNotFinite;
    return spanish(fixed(value, std::max(0, decimals)));
}

std::string powerOfTenText(int exponent) {
    static const char* const digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string out = "·10";
    if (exponent < 0) out += "⁻";
    const std::string magnitude = std::to_string(std::abs(exponent));
    for (char d : magnitude) out += digits[d - '0'];
    return out;
}

std::string numberText(double value, int significant) {
    if (!std::isfinite(value)) return kNotFinite;
    if (value == 0) return "0";
    significant = std::max(1, significant);
    const double magnitude = std::fabs(value);
    int decade = decadeOf(magnitude);
    if (plainRange(magnitude)) {
        const int decimals = significant - 1 - decade;
        if (decimals >= 0) return spanish(withoutTrailingZeros(fixed(value, decimals)));
        const double step = powerOfTen(-decimals); // 23400 to two figures: 23000
        return spanish(fixed(std::round(value / step) * step, 0));
    }
    std::string mantissa = fixed(value / powerOfTen(decade), significant - 1);
    if (std::fabs(std::strtod(mantissa.c_str(), nullptr)) >= 10) // 9.996 rounded up to 10.00
        mantissa = fixed(value / powerOfTen(++decade), significant - 1);
    return spanish(withoutTrailingZeros(mantissa)) + powerOfTenText(decade);
}

int secondFigurePlace(double uncertainty) {
    int place = decadeOf(uncertainty) - 1;
    // log10 may land a hair off a whole decade; the rounded figures decide.
    if (std::round(uncertainty / powerOfTen(place)) < 10) --place;
    if (std::round(uncertainty / powerOfTen(place)) >= 100) ++place;
    return place;
}

std::string valueWithUncertaintyText(double value, double uncertainty) {
    if (!std::isfinite(value)) return kNotFinite;
    if (!(uncertainty > 0) || !std::isfinite(uncertainty)) return numberText(value, 4);
    const int place = secondFigurePlace(uncertainty);
    const double largest = std::max(std::fabs(value), uncertainty);
    const char* const pm = " ± ";
    if (plainRange(largest)) {
        if (place <= 0) return decimalText(value, -place) + pm + decimalText(uncertainty, -place);
        // Tens or more: the digits past the uncertainty's second figure are zeros.
        const double step = powerOfTen(place);
        return decimalText(std::round(value / step) * step, 0) + pm +
               decimalText(std::round(uncertainty / step) * step, 0);
    }
    const int decade = decadeOf(largest);
    const double scale = powerOfTen(decade);
    const int decimals = decade - place;
    return "(" + decimalText(value / scale, decimals) + pm + decimalText(uncertainty / scale, decimals) +
           ")" + powerOfTenText(decade);
}

} // namespace eh::analysis
