#pragma once
// The small tables the teacher's program reads and writes (class lists, answer keys,
// answers, tolerances, grades), in either convention a spreadsheet uses.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/CsvStyle.h"

namespace eh::clase {

using analysis::CsvStyle;

struct TextLine {
    int number = 0; // from 1
    std::string text;
};

// Splits a file's text into lines (LF, CR LF or CR), without a leading UTF-8 byte-order
// mark. False, with the line in `error`, when a line is not UTF-8 text.
bool splitLines(std::string_view text, std::vector<TextLine>& lines, std::string& error);

// The cells of one line: separated by `sep`, a cell in double quotes may hold the
// separator and doubled quotes; blanks around a cell are removed.
std::vector<std::string> splitCells(std::string_view line, char sep);

struct CsvRow {
    int line = 0;
    std::vector<std::string> cells; // as many as the header has, missing ones empty
};

struct CsvTable {
    CsvStyle style = CsvStyle::CommaPoint;
    int headerLine = 0;
    std::vector<std::string> header;
    std::vector<CsvRow> rows; // blank lines left out
};

// A table whose first non-blank line names its columns; the convention is the one
// with semicolons when that line has one. False with the reason and its line.
bool parseTable(std::string_view text, CsvTable& out, std::string& error);

// The column called `name`, or -1.
int columnIndex(const CsvTable& table, std::string_view name);

// A number written in `style` (a decimal point, or a decimal comma); nothing for
// anything else, an infinity or a non-number included.
std::optional<double> parseNumber(std::string_view cell, CsvStyle style);

char separatorOf(CsvStyle style);
// One line of cells, text cells quoted when they need it, ended by a line feed.
std::string joinCells(const std::vector<std::string>& cells, CsvStyle style);

// Far more than any class's list, key or answers: a larger file is a wrong file.
inline constexpr std::size_t kMaxTableBytes = std::size_t{16} << 20;

// The whole of a file no larger than `maxBytes`; false with a Spanish reason.
bool readWholeFile(const std::string& path, std::string& text, std::string& error,
                   std::size_t maxBytes = kMaxTableBytes);

} // namespace eh::clase
