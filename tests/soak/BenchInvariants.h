#pragma once
// What must hold of a running bench after any event: values inside their ranges,
// readouts showing their pattern or their switched-off text, lamps, text colours and
// enabled flags agreeing with the instruments' on/off fields.

#include <string>
#include <vector>

#include "bench/BenchModel.h"

namespace eh::soak {

// One line per broken rule; empty when the bench is sound.
std::vector<std::string> benchViolations(const BenchModel& bench);

} // namespace eh::soak
