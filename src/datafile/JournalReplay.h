#pragma once
// At start-up: the journals left by programs that ended without saving their
// records become recovery files, announced like any rescue (Recovery.h).

#include <ctime>
#include <string>
#include <vector>

namespace eh {

// Turns every journal in `folder` whose program has ended (its lock is free) into a
// recovery file named after `now`, and removes it; a journal of a program still
// running is left alone, and so is one whose records could not be written out.
// Returns the recovery files written, in the order of the journals' names.
std::vector<std::string> recoverEndedJournals(const std::string& folder, std::time_t now);

} // namespace eh
