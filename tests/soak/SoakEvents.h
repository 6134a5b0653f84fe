#pragma once
// Every user event and timer tick of the bench, as a weighted table the monkey draws
// from. Events on disabled controls are drawn like any other.

#include <random>
#include <span>
#include <string_view>

#include "bench/BenchModel.h"

namespace eh::soak {

struct SoakEvent {
    std::string_view name;
    int weight;
    int maxBurst; // repeated 1..maxBurst times in a row when drawn
    void (*apply)(BenchModel& bench, std::mt19937& random);
};

std::span<const SoakEvent> soakEvents();

// Draws events from the table in proportion to their weights.
class EventPicker {
public:
    EventPicker();
    const SoakEvent& next(std::mt19937& random);

private:
    std::discrete_distribution<std::size_t> choice_;
};

} // namespace eh::soak
