#pragma once
// The electromagnet's field law.

namespace eh {

// Field in gauss, without sign, for a coil current in amperes; worked in double and
// kept in single precision, as the bench keeps its field (10 A gives 9000 gauss).
constexpr float magnetField(float amperes) {
    const double a = amperes;
    return static_cast<float>(a * 1000.0 - a * a * 10.0);
}

} // namespace eh
