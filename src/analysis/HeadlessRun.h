#pragma once
// The analysis without a window: read one data file, derive, fit and write the
// requested files. Messages go to `err`.

#include <functional>
#include <iosfwd>
#include <string>

#include "analysis/AnalysisOptions.h"

namespace eh::analysis {

struct Analysis {
    std::string path;
    DataSet data;
    int sample = 1;
    Geometry geometry;
    std::vector<Derived> derived;
    std::vector<FitResult> fits;
};

// Derives and fits a data set already read.
void analyse(Analysis& a, const FitSettings& settings);

// Writes the report file; false with a message in `error`. Supplied by the program
// that can draw (the report needs the plotting library).
using ReportWriter = std::function<bool(const Analysis&, const std::string& path, std::string& error)>;

// Exit status: 0 done, 1 the data or an output file failed.
int runHeadless(const AnalysisOptions& options, std::ostream& err, const ReportWriter& report = {});

// Writes `text` to `path` through a temporary file renamed over it, so that a
// reader never sees half a file; false with a message on failure.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string& error);

} // namespace eh::analysis
