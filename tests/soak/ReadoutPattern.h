#pragma once
// Whether a readout text has the shape of a number pattern: an optional minus sign,
// at least `intDigits` integer digits, the separator and exactly `decimals` digits.

#include <string_view>

namespace eh::soak {

struct ReadoutShape {
    int intDigits;    // at least this many
    int maxIntDigits; // at most this many
    int decimals;     // exactly this many
    bool allowNegative;
};

bool hasShape(std::string_view text, ReadoutShape shape, char separator);

} // namespace eh::soak
