#pragma once
// The analysis without a window: read one data file, derive, fit and write the
// requested files. Messages go to `err`.

#include <functional>
#include <iosfwd>
#include <string>

#include "analysis/Analysis.h"
#include "app/analysis/AnalysisOptions.h"

namespace eh::analysis {

// Makes the report's bytes; false with a message in `error`. Supplied by the program
// that can draw (the report needs the plotting library).
using ReportMaker = std::function<bool(const Analysis&, std::string& bytes, std::string& error)>;

// Exit status: 0 done, 1 the data or an output file failed, 2 an output names the
// data file or another output (then nothing is read or written). Every output is made
// before the first is written: when one cannot be made, none is written.
int runHeadless(const AnalysisOptions& options, std::ostream& err, const ReportMaker& report = {});

} // namespace eh::analysis
