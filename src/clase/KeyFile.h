#pragma once
// The answer key as a CSV file: written by `crear`, read back by `corregir` after the
// teacher may have opened it in a spreadsheet.

#include <string>
#include <string_view>
#include <vector>

#include "clase/AnswerKey.h"
#include "clase/CsvText.h"

namespace eh::clase {

// The header and one line per row, numbers with seven significant digits.
std::string keyCsv(const std::vector<KeyRow>& rows, CsvStyle style);

// Reads a key. Every column of the header must be one of the key's, `codigo` among
// them; each row's code must be valid and appear once, its sample columns (those
// present) must be what the code names, and its result cells numbers or empty.
// False with one message per fault, each with its line, in `errors`.
bool parseKey(std::string_view text, std::vector<KeyRow>& rows, std::vector<std::string>& errors);

} // namespace eh::clase
