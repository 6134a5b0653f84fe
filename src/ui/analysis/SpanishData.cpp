#include "ui/analysis/SpanishData.h"

#include <string_view>

#include "analysis/CsvOutput.h"

namespace eh::analysis {

namespace {

// The table's first seven column names are the bench file's seven readings.
std::string readingsHeader() {
    std::string_view all(kTableHeader);
    std::string out;
    int fields = 0;
    for (char c : all) {
        if (c == ',' && ++fields == 7) break;
        out += c == ',' ? ';' : c;
    }
    return out;
}

} // namespace

std::string readingsCsv(const std::vector<Record>& records) {
    constexpr CsvStyle spanish = CsvStyle::SemicolonComma;
    std::string out = readingsHeader() + "\r\n";
    for (const Record& r : records) {
        for (double v : {r.number, r.temperatureK, r.fieldG, r.currentMa, r.vrV, r.vMinusV}) {
            out += formatNumber(v, spanish);
            out += ';';
        }
        out += formatNumber(r.vPlusV, spanish);
        out += "\r\n";
    }
    return out;
}

} // namespace eh::analysis
