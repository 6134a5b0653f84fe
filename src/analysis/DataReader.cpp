#include "analysis/DataReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace eh::analysis {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '"')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '"')) s.remove_suffix(1);
    return s;
}

bool blank(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

// A number in the file's convention: a point, or a comma, as decimal separator;
// an optional sign; exponent form allowed. Nothing else, so that "1.238" in a
// file of decimal commas is refused rather than read as something else.
bool parseNumber(std::string_view field, CsvStyle convention, double& value) {
    field = trim(field);
    if (field.empty() || field.size() > 64) return false;
    char buf[65] = {};
    std::size_t n = 0;
    for (char c : field) {
        if (convention == CsvStyle::SemicolonComma) {
            if (c == '.') return false;
            if (c == ',') c = '.';
        }
        buf[n++] = c;
    }
    const char* begin = buf;
    const char* end = buf + n;
    if (*begin == '+') ++begin;
    if (begin == end || *begin == '+') return false;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc{} && ptr == end;
}

// Splits at most kMaxFields fields off a line (without allocating: this runs once
// per line of files of up to a million lines); the count says how many there were.
constexpr std::size_t kMaxFields = 16;
struct Fields {
    std::array<std::string_view, kMaxFields> at;
    std::size_t count = 0;
};

Fields split(std::string_view line, char separator) {
    Fields f;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pos = line.find(separator, start);
        if (f.count < kMaxFields)
            f.at[f.count] = line.substr(start, pos == std::string_view::npos ? pos : pos - start);
        ++f.count;
        if (pos == std::string_view::npos) break;
        start = pos + 1;
    }
    return f;
}

bool hasLetterOtherThanExponent(std::string_view line) {
    for (char c : line)
        if ((c >= 'a' && c <= 'z' && c != 'e') || (c >= 'A' && c <= 'Z' && c != 'E') || c == '_') return true;
    return false;
}

// A header names the columns: it has letters and no field of it is a number, so a
// damaged first record is reported rather than skipped as a header.
bool looksLikeHeader(std::string_view line, CsvStyle convention) {
    if (!hasLetterOtherThanExponent(line)) return false;
    double ignored = 0;
    const Fields fields = split(line, convention == CsvStyle::SemicolonComma ? ';' : ',');
    for (std::size_t i = 0; i < std::min(fields.count, kMaxFields); ++i)
        if (parseNumber(fields.at[i], convention, ignored)) return false;
    return true;
}

std::string quoted(std::string_view field) {
    field = trim(field);
    if (field.size() > 40) return "«" + std::string(field.substr(0, 40)) + "…»";
    return "«" + std::string(field) + "»";
}

// Checks one line of numbers; an empty reason means accepted.
std::string parseRecord(std::string_view line, CsvStyle convention, Record& r) {
    const char separator = convention == CsvStyle::SemicolonComma ? ';' : ',';
    const auto fields = split(line, separator);
    if (fields.count != 7) return "se esperaban 7 números y hay " + std::to_string(fields.count) + " campos";
    double v[7];
    for (std::size_t i = 0; i < 7; ++i) {
        if (!parseNumber(fields.at[i], convention, v[i])) return quoted(fields.at[i]) + " no es un número";
        if (!std::isfinite(v[i])) return quoted(fields.at[i]) + " no es un número finito";
    }
    if (v[1] < 0) return "temperatura negativa";
    if (v[1] == 0) return "temperatura cero";
    if (v[2] < 0) return "campo negativo";
    if (v[3] < 0) return "corriente negativa";
    r.number = v[0];
    r.temperatureK = v[1];
    r.fieldG = v[2];
    r.currentMa = v[3];
    r.vrV = v[4];
    r.vMinusV = v[5];
    r.vPlusV = v[6];
    return {};
}

} // namespace

bool parseDataText(std::string_view text, DataSet& out, std::string& error) {
    out = {};
    // Count lines first, so that an oversized file is refused before any work.
    std::size_t lines = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t nl = text.find('\n', pos);
        ++lines;
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    if (lines > kMaxFileLines) {
        error = "el fichero tiene más de " + std::to_string(kMaxFileLines) + " líneas";
        return false;
    }
    out.records.reserve(lines);
    bool first = true;
    int lineNo = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) nl = text.size();
        std::string_view line = text.substr(pos, nl - pos);
        pos = nl + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNo == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3); // spreadsheet BOM
        if (blank(line)) continue;
        if (first) {
            first = false;
            out.convention =
                line.find(';') != std::string_view::npos ? CsvStyle::SemicolonComma : CsvStyle::CommaPoint;
            if (looksLikeHeader(line, out.convention)) {
                out.hadHeader = true;
                continue;
            }
        }
        Record r;
        r.line = lineNo;
        std::string reason = parseRecord(line, out.convention, r);
        if (reason.empty())
            out.records.push_back(r);
        else
            out.rejected.push_back({lineNo, std::move(reason)});
    }
    return true;
}

bool readDataFile(const std::string& path, DataSet& out, std::string& error) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = "no se puede leer " + path + ": " + ec.message();
        return false;
    }
    if (size > kMaxFileBytes) {
        error = path + " ocupa más de 64 MB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "no se puede abrir " + path;
        return false;
    }
    std::string text(size, '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        error = "error al leer " + path;
        return false;
    }
    if (!parseDataText(text, out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace eh::analysis
