#include "clase/KeyFile.h"

#include <cmath>
#include <set>

#include "analysis/CsvOutput.h"

namespace eh::clase {
namespace {

using analysis::formatNumber;

std::string at(int line) {
    return "línea " + std::to_string(line) + ": ";
}

std::vector<std::string> sampleCells(const KeyRow& r, CsvStyle style) {
    const UnknownSample& s = r.sample;
    return {r.student,
            r.group,
            r.code.text(),
            typeLetter(s),
            formatNumber(s.dopingCm3, style),
            s.dopant,
            formatNumber(s.ionisationMeV, style),
            formatNumber(s.lengthCm, style),
            formatNumber(s.widthCm, style),
            formatNumber(s.thicknessCm, style)};
}

// Whether a number read from a key cell is the code's own value, as the key writes it.
bool sameAsWritten(double read, float value) {
    return std::fabs(read - double{value}) <= 1e-6 * std::fabs(double{value});
}

// Checks the sample cells of a row against the code; a message per wrong cell.
void checkSampleCells(const CsvTable& t, const CsvRow& row, const KeyRow& k,
                      std::vector<std::string>& errors) {
    const UnknownSample& s = k.sample;
    const std::vector<std::string> expected = sampleCells(k, t.style);
    for (std::size_t c = 3; c < kSampleColumns.size(); ++c) {
        const int col = columnIndex(t, kSampleColumns[c]);
        if (col < 0) continue;
        const std::string& cell = row.cells[static_cast<std::size_t>(col)];
        bool ok = cell == expected[c];
        if (!ok && c != 3 && c != 5) { // numbers: any spelling of the same value
            const float values[] = {s.dopingCm3, 0, s.ionisationMeV, s.lengthCm, s.widthCm, s.thicknessCm};
            const auto n = parseNumber(cell, t.style);
            ok = n && sameAsWritten(*n, values[c - 4]);
        }
        if (!ok)
            errors.push_back(at(row.line) + std::string(kSampleColumns[c]) + " es «" + cell +
                             "», pero el código " + k.code.text() + " da «" + expected[c] +
                             "»: la clave se ha editado");
    }
}

bool knownColumn(std::string_view name) {
    for (std::string_view c : kSampleColumns)
        if (c == name) return true;
    for (std::string_view c : kResultNames)
        if (c == name) return true;
    return false;
}

} // namespace

std::string typeLetter(const UnknownSample& sample) {
    return sample.Tipo == "P" ? "p" : "n";
}

std::string keyCsv(const std::vector<KeyRow>& rows, CsvStyle style) {
    std::vector<std::string> header(kSampleColumns.begin(), kSampleColumns.end());
    header.insert(header.end(), kResultNames.begin(), kResultNames.end());
    std::string out = joinCells(header, style);
    for (const KeyRow& r : rows) {
        std::vector<std::string> cells = sampleCells(r, style);
        for (const auto& v : r.results) cells.push_back(formatNumber(v, style));
        out += joinCells(cells, style);
    }
    return out;
}

bool parseKey(std::string_view text, std::vector<KeyRow>& rows, std::vector<std::string>& errors) {
    rows.clear();
    errors.clear();
    CsvTable t;
    std::string error;
    if (!parseTable(text, t, error)) {
        errors.push_back(error);
        return false;
    }
    for (const std::string& name : t.header)
        if (!knownColumn(name))
            errors.push_back(at(t.headerLine) + "la columna «" + name + "» no es de una clave");
    const int codeCol = columnIndex(t, "codigo");
    if (codeCol < 0) errors.push_back(at(t.headerLine) + "falta la columna «codigo»");
    if (!errors.empty()) return false;
    const int studentCol = columnIndex(t, "alumno"), groupCol = columnIndex(t, "grupo");
    std::set<std::string> seen;
    for (const CsvRow& row : t.rows) {
        KeyRow k;
        k.line = row.line;
        const auto parsed = SampleCode::parse(row.cells[static_cast<std::size_t>(codeCol)], error);
        if (!parsed) {
            errors.push_back(at(row.line) + error);
            continue;
        }
        k.code = *parsed;
        if (!seen.insert(k.code.text()).second) {
            errors.push_back(at(row.line) + "el código " + k.code.text() + " ya figura en otra línea");
            continue;
        }
        k.sample = deriveUnknownSample(k.code);
        if (studentCol >= 0) k.student = row.cells[static_cast<std::size_t>(studentCol)];
        if (groupCol >= 0) k.group = row.cells[static_cast<std::size_t>(groupCol)];
        checkSampleCells(t, row, k, errors);
        for (std::size_t q = 0; q < kResultCount; ++q) {
            const int col = columnIndex(t, kResultNames[q]);
            if (col < 0) continue;
            const std::string& cell = row.cells[static_cast<std::size_t>(col)];
            if (cell.empty()) continue;
            k.results[q] = parseNumber(cell, t.style);
            if (!k.results[q])
                errors.push_back(at(row.line) + std::string(kResultNames[q]) + " «" + cell +
                                 "» no es un número");
        }
        rows.push_back(std::move(k));
    }
    if (errors.empty() && rows.empty()) errors.emplace_back("la clave no tiene ninguna fila");
    return errors.empty();
}

} // namespace eh::clase
