#pragma once
// Reads the bench's data files, and the same files after a spreadsheet saved them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/CsvStyle.h"

namespace eh::analysis {

// One line of a data file: the seven numbers the bench writes.
struct Record {
    int line = 0;      // line in the file, from 1
    double number = 0; // record number as written
    double temperatureK = 0;
    double fieldG = 0; // nominal field, gauss
    double currentMa = 0;
    double vrV = 0;     // resistivity reading
    double vMinusV = 0; // Hall reading with the " - " switch
    double vPlusV = 0;  // Hall reading with the "+" switch
};

struct Rejection {
    int line = 0;
    std::string reason; // Spanish, for the user
};

struct DataSet {
    std::vector<Record> records;
    std::vector<Rejection> rejected;
    CsvStyle convention = CsvStyle::CommaPoint;
    bool hadHeader = false;
};

inline constexpr std::uintmax_t kMaxFileBytes = 64ull * 1024 * 1024;
inline constexpr std::size_t kMaxFileLines = 1'000'000;

// Parses the text of a data file: UTF-8 or UTF-16, lines ended by LF, CR LF or CR,
// in the convention most of its lines are written in (the bench's on a tie). Refuses (returns false with
// `error`) a text of more than kMaxFileLines lines; every other fault is a rejected line.
bool parseDataText(std::string_view text, DataSet& out, std::string& error);

// "n líneas rechazadas; leído con …": how many lines were refused and the convention
// the file was read in, for the user; empty when none was refused.
std::string rejectionSummary(const DataSet& data);

// Reads and parses a file; false with a message for an unreadable or oversized file.
bool readDataFile(const std::string& path, DataSet& out, std::string& error);

} // namespace eh::analysis
