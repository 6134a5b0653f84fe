#pragma once
// What the bench window offers the keyboard and the pointer beyond its layout: the
// order in which Tab visits the controls, and the short hint each control and
// readout shows under the pointer.

#include <span>

namespace eh {

struct ControlHint {
    const char* name;    // the widget's name in the layout
    const char* tooltip; // Spanish, as the rest of the bench
};

// Every control, in Tab order: instrument by instrument, top to bottom and left to
// right, each instrument's own switch first.
std::span<const ControlHint> controlsInTabOrder();

// The readouts, each with its quantity and unit.
std::span<const ControlHint> readoutHints();

} // namespace eh
