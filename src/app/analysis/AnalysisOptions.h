#pragma once
// The command line of tarvelo-analisis.

#include <optional>
#include <string>
#include <vector>

#include "analysis/CsvOutput.h"
#include "analysis/Fits.h"

namespace eh::analysis {

struct AnalysisOptions {
    std::optional<int> sample; // guessed from the data when not given
    std::string sampleCode;    // an unknown sample's code as shown ("TWSH-3NKM"), or empty
    std::string tableFile;     // --tabla
    std::string fitsFile;      // --ajustes
    std::string reportFile;    // --informe
    // Who the report is by (--alumno, --grupo); the window remembers the last ones given.
    std::optional<std::string> student, group;
    FitSettings fits;
    CsvStyle style = CsvStyle::CommaPoint;
    std::vector<std::string> dataFiles;
    bool help = false;

    // With an output option the program runs without a window.
    bool headless() const { return !tableFile.empty() || !fitsFile.empty() || !reportFile.empty(); }
};

// Nothing on a bad command line, with the reason in `error`.
std::optional<AnalysisOptions> parseAnalysisOptions(const std::vector<std::string>& args, std::string& error);

// The options of a program's command line, or nothing when the program is to stop at
// once: then the help or the reason with the usage has been printed, and `exitStatus`
// is what the program returns (0 after --help, 2 after a bad command line).
std::optional<AnalysisOptions> readAnalysisOptions(int argc, char** argv, int& exitStatus);

// Parses "500:800" (both ends positive, the first not above the second).
std::optional<Range> parseRange(const std::string& text);

extern const char* const kAnalysisUsage;

} // namespace eh::analysis
