#pragma once
// A data file's readings as a spreadsheet in Spanish reads them without a question:
// ";" between fields and the decimal comma, under a line naming the columns. The
// analysis reads this form back as it reads the bench's own.

#include <string>
#include <vector>

#include "analysis/DataReader.h"

namespace eh::analysis {

std::string readingsCsv(const std::vector<Record>& records);

} // namespace eh::analysis
