#pragma once
// The analysis without a window: read one data file, derive, fit and write the
// requested files. Messages go to `err`.

#include <functional>
#include <iosfwd>
#include <string>

#include "analysis/Analysis.h"
#include "app/analysis/AnalysisOptions.h"

namespace eh::analysis {

// Writes the report file; false with a message in `error`. Supplied by the program
// that can draw (the report needs the plotting library).
using ReportWriter = std::function<bool(const Analysis&, const std::string& path, std::string& error)>;

// Exit status: 0 done, 1 the data or an output file failed.
int runHeadless(const AnalysisOptions& options, std::ostream& err, const ReportWriter& report = {});

} // namespace eh::analysis
