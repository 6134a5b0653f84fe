#pragma once
// Whether a data file was measured on a code's sample: each record's three readings
// against what the sample gives at the record's temperature, field and current.
//
// Tolerance. The bench computes its readings without noise from the model at the
// sample's temperature when the reading is taken; only the temperature is noisy. Its
// controller, regulating, moves the temperature each 120 ms tick by 0.1 of its
// distance from the settled value plus a noise step of at most 0.05 K, so the
// distance stays below 0.05 / 0.1 = 0.5 K, and two moments of one settled point
// differ by at most 1.0 K. The readings follow the temperature display, whose step is
// 0.1 K. A reading is therefore taken within kTemperatureSlackK = 1.1 K of the
// temperature the record was stored with. A record matches when each reading lies
// within the range the model gives over that interval (every 0.1 K), the resistance
// reading at any field from zero (the magnet off) to the record's, the Hall readings
// at the record's field or up to kFieldSlack below it (the readings keep the field of
// the last temperature step, and the magnet's current approaches its set value
// without end: the display's last digit, 0.01 A of 10 A, is a thousandth), widened by
// kReadingSlack of the reading for its single-precision storage and the seven digits
// of the file. A reading edited by more than the model changes over 1.1 K (1 % of
// the Hall voltage at 700 K, far less on the plateau) is caught, and so is a file of
// another sample, whose bar and doping differ.

#include <string>
#include <vector>

#include "analysis/DataReader.h"
#include "model/SampleCode.h"

namespace eh::clase {

inline constexpr double kTemperatureSlackK = 1.1;
inline constexpr double kTemperatureGridK = 0.1;
inline constexpr double kReadingSlack = 2e-6;
inline constexpr double kFieldSlack = 1e-3;

struct Mismatch {
    int line = 0;
    std::string reason; // which readings, what they are and what the sample gives, in Spanish
};

enum class Verdict {
    Consistent, // every record matches
    Edited,     // most match: measured on this sample, some readings changed or not settled
    OtherSample // fewer than half match: not measured on this sample
};

struct CheckReport {
    int records = 0;
    int matching = 0;
    std::vector<Mismatch> mismatches;
    Verdict verdict = Verdict::OtherSample;
};

CheckReport checkRecords(const SampleCode& code, const std::vector<analysis::Record>& records);

// The closing line for the user.
std::string verdictText(const CheckReport& report, const std::string& code);

} // namespace eh::clase
