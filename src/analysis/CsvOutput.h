#pragma once
// The table of records with every derived quantity, and the table of fit results,
// as comma-separated text in either convention.

#include <optional>
#include <string>
#include <vector>

#include "analysis/CsvStyle.h"
#include "analysis/DataReader.h"
#include "analysis/Fits.h"
#include "analysis/Quantities.h"

namespace eh::analysis {

// Seven significant digits, shortest form ("300", "0.8253268", "2.000354e+15");
// empty for an absent value.
std::string formatNumber(std::optional<double> value, CsvStyle style);

extern const char* const kTableHeader;
extern const char* const kFitsHeader;
extern const char* const kGapDifferenceName; // the fits table's last row: gap_sigma - gap_hall

std::string tableCsv(const std::vector<Record>& records, const std::vector<Derived>& derived, CsvStyle style);
std::string fitsCsv(const std::vector<FitResult>& fits, CsvStyle style);

} // namespace eh::analysis
