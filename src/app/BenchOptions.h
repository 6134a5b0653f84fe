#pragma once
// The command line of the bench program, tarvelo.

#include <optional>
#include <string>
#include <vector>

namespace eh {

struct BenchOptions {
    std::string sampleCode; // the unknown sample's code as shown ("TWSH-3NKM"), or empty
    bool help = false;
};

// Nothing on a bad command line, with the reason in Spanish in `error`. A code that
// names no sample is a bad command line: the student typed it and should retype it,
// rather than measure another sample than the one asked for.
std::optional<BenchOptions> parseBenchOptions(const std::vector<std::string>& args, std::string& error);

// The options, or nothing when the program is to stop at once: then the help or the
// reason with the usage has been printed, and `exitStatus` is what the program returns
// (0 after --ayuda, 2 after a bad command line).
std::optional<BenchOptions> readBenchOptions(const std::vector<std::string>& args, int& exitStatus);

extern const char* const kBenchUsage;

} // namespace eh
