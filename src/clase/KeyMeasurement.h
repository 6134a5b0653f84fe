#pragma once
// What a careful student finds on a code's sample: the bench swept through its own
// events as the sweep program does, analysed by the analysis library.

#include <vector>

#include "analysis/Analysis.h"
#include "clase/AnswerKey.h"
#include "model/SampleCode.h"

namespace eh::clase {

// The records of a sweep of the code's sample from `fromK` to `toK` by `stepK`, as the
// saved file would give them (10 mA, 10 A). Empty when the bench reported a fault.
std::vector<analysis::Record> sweepRecords(const SampleCode& code, double fromK, double toK, double stepK);

// The analysis of those records with the code's dimensions and the default ranges.
analysis::Analysis analyseRecords(const SampleCode& code, std::vector<analysis::Record> records);

// The results of the code's sample:
//  - at 300 K: rho, R_H, 1/(e|R_H|) and mu_H of the record of the sweep 50..760 K by
//    10 K nearest 300 K;
//  - the band gap from sigma and from R_H T^3/2, and the mobility exponent, fitted over
//    the analysis's default ranges on that sweep;
//  - the temperature of the resistivity maximum: a second sweep by 1 K over the
//    20 K around the largest rho of the first, and the vertex of the parabola
//    through its largest rho and its two neighbours;
//  - p-type only: where R_H changes sign, from a sweep by 0.5 K between the two
//    records of the first sweep that bracket the change, interpolated linearly
//    between the two that bracket it there.
Results measureResults(const SampleCode& code);

} // namespace eh::clase
