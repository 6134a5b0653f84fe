#pragma once
// The code of an unknown sample: eight characters a student can type and read aloud,
// shown as two groups of four ("TWSH-3NKM").
//
// The alphabet has the digits 2 to 9 and the capital letters without I, L and O
// (0/O and 1/I/L are easily confused): 31 symbols. Seven symbols carry the sample,
// the eighth is a check symbol chosen so that sum over i of (i + 1) * value(i) is a
// multiple of 31. Because 31 is prime and the weights 1..8 are below it, changing any
// one symbol changes the sum by a non-multiple of 31, and swapping two different
// neighbours changes it by their difference: both are always refused.
//
// The first symbol also says which derivation turns the code into a sample (its
// value modulo 4, plus 1), so that a code keeps naming the same sample when a later
// version of the program adds a new derivation.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace eh {

inline constexpr std::string_view kCodeAlphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
inline constexpr int kCodeLength = 8;
// The derivations this program knows: 1 only.
inline constexpr int kNewestCodeVersion = 1;

class SampleCode {
public:
    // A code from its seven leading symbol values (0..30); the check symbol is added.
    static SampleCode fromPayload(const std::array<std::uint8_t, kCodeLength - 1>& payload);

    // Reads what a user typed: lower case, blanks and hyphens anywhere are accepted.
    // Nothing when it is not a valid code this program can derive, with the reason
    // in Spanish in `error`.
    static std::optional<SampleCode> parse(std::string_view typed, std::string& error);

    // "TWSH-3NKM".
    std::string text() const;
    int version() const { return values_[0] % 4 + 1; }
    // Symbol values, 0..30, in reading order.
    const std::array<std::uint8_t, kCodeLength>& values() const { return values_; }

    friend bool operator==(const SampleCode&, const SampleCode&) = default;

private:
    std::array<std::uint8_t, kCodeLength> values_{};
};

// The check symbol value for seven leading ones: makes the weighted sum a multiple of 31.
std::uint8_t codeCheckValue(const std::array<std::uint8_t, kCodeLength - 1>& payload);

} // namespace eh
