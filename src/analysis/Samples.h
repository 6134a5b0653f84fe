#pragma once
// The samples a data file can come from: the catalogued bars whose dimensions are
// known, read from the bench's catalogue so that a bar added there is offered here.

#include <string>
#include <vector>

namespace eh::analysis {

// Their numbers, in order (1, the n-type bar, and 2, the p-type one).
std::vector<int> analysableSamples();
bool isAnalysableSample(int sample);

// The bar's doping type as the user reads it: "n" or "p"; empty for another number.
std::string sampleType(int sample);

// "1 o 2": the numbers a user may give, for messages.
std::string analysableSamplesText();

} // namespace eh::analysis
