#pragma once
// One data file analysed: its records, the sample they were measured on, every
// derived quantity and the fits.

#include <string>
#include <vector>

#include "analysis/DataReader.h"
#include "analysis/Fits.h"
#include "analysis/Quantities.h"

namespace eh::analysis {

struct Analysis {
    std::string path;
    DataSet data;
    int sample = 1;
    std::string sampleCode; // an unknown sample's code: its bar's dimensions are used
    Geometry geometry;
    std::vector<Derived> derived;
    std::vector<FitResult> fits;
};

// Derives and fits a data set already read, for the sample `a.sample` or, with a
// code, for the unknown sample it names.
void analyse(Analysis& a, const FitSettings& settings);

} // namespace eh::analysis
