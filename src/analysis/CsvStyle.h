#pragma once
// The two ways comma-separated numbers are written, read and written alike.

namespace eh::analysis {

enum class CsvStyle {
    CommaPoint,     // "1,300,9000,1.5": the bench's own
    SemicolonComma, // "1;300;9000;1,5": a spreadsheet in Spanish
};

} // namespace eh::analysis
