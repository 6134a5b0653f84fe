#pragma once
// A number that may be absent, in the 8 bytes of a double: absence is stored as a NaN.
// Derived quantities are never legitimately NaN (a reading that would give one leaves
// the quantity absent), so nothing is lost, and a table of a million records holds
// half the bytes it would with std::optional<double> (16 bytes each). The members are
// those of std::optional<double> that the analysis uses, so that code reads the same.
// Storing a NaN leaves the number absent.

#include <limits>
#include <optional>

namespace eh::analysis {

class OptionalNumber {
public:
    constexpr OptionalNumber() noexcept = default;
    constexpr OptionalNumber(std::nullopt_t) noexcept {}
    constexpr OptionalNumber(double value) noexcept : value_(value) {}
    constexpr OptionalNumber(const std::optional<double>& o) noexcept : value_(o ? *o : kAbsent) {}

    constexpr OptionalNumber& operator=(std::nullopt_t) noexcept {
        value_ = kAbsent;
        return *this;
    }
    constexpr OptionalNumber& operator=(double value) noexcept {
        value_ = value;
        return *this;
    }

    constexpr bool has_value() const noexcept { return value_ == value_; } // false only for NaN
    constexpr explicit operator bool() const noexcept { return has_value(); }
    // As std::optional: undefined when absent (here: the NaN).
    constexpr const double& operator*() const noexcept { return value_; }
    constexpr double value() const {
        if (!has_value()) throw std::bad_optional_access();
        return value_;
    }
    constexpr double value_or(double otherwise) const noexcept { return has_value() ? value_ : otherwise; }
    constexpr void reset() noexcept { value_ = kAbsent; }

    // For functions that take a std::optional<double> (formatting a cell, a text).
    constexpr operator std::optional<double>() const noexcept {
        return has_value() ? std::optional<double>(value_) : std::nullopt;
    }

private:
    static constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();
    double value_ = kAbsent;
};

static_assert(sizeof(OptionalNumber) == sizeof(double));

} // namespace eh::analysis
