#include "clase/CsvText.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "datafile/SystemErrorText.h"

namespace eh::clase {
namespace {

// Length of the UTF-8 sequence starting at `s[i]`, or 0 when it is not one.
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    unsigned min = 0;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    unsigned code = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        code = (code << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and code points past Unicode are not text.
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Length(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

} // namespace

bool splitLines(std::string_view text, std::vector<TextLine>& lines, std::string& error) {
    lines.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        ++number;
        if (!isUtf8(line)) {
            error = "línea " + std::to_string(number) +
                    ": no es texto UTF-8 (guarde el fichero como «CSV UTF-8» o texto Unicode UTF-8)";
            return false;
        }
        lines.push_back({number, std::string(line)});
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return true;
}

std::vector<std::string> splitCells(std::string_view line, char sep) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false, wasQuoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"' && trimmed(cell).empty()) {
            quoted = wasQuoted = true;
            cell.clear();
        } else if (c == sep) {
            cells.push_back(wasQuoted ? cell : trimmed(cell));
            cell.clear();
            wasQuoted = false;
        } else {
            cell += c;
        }
    }
    cells.push_back(wasQuoted ? cell : trimmed(cell));
    return cells;
}

bool parseTable(std::string_view text, CsvTable& out, std::string& error) {
    out = {};
    std::vector<TextLine> lines;
    if (!splitLines(text, lines, error)) return false;
    bool haveHeader = false;
    for (const TextLine& l : lines) {
        if (trimmed(l.text).empty()) continue;
        if (!haveHeader) {
            out.style =
                l.text.find(';') != std::string::npos ? CsvStyle::SemicolonComma : CsvStyle::CommaPoint;
            out.header = splitCells(l.text, separatorOf(out.style));
            out.headerLine = l.number;
            haveHeader = true;
            continue;
        }
        CsvRow row{l.number, splitCells(l.text, separatorOf(out.style))};
        // A spreadsheet pads short rows with separators: empty cells past the header are no data.
        while (row.cells.size() > out.header.size() && row.cells.back().empty()) row.cells.pop_back();
        if (row.cells.size() > out.header.size()) {
            error = "línea " + std::to_string(l.number) + ": tiene " + std::to_string(row.cells.size()) +
                    " columnas y la cabecera (línea " + std::to_string(out.headerLine) + ") " +
                    std::to_string(out.header.size());
            return false;
        }
        row.cells.resize(out.header.size());
        out.rows.push_back(std::move(row));
    }
    if (!haveHeader) {
        error = "el fichero está vacío";
        return false;
    }
    return true;
}

int columnIndex(const CsvTable& table, std::string_view name) {
    for (std::size_t i = 0; i < table.header.size(); ++i)
        if (table.header[i] == name) return static_cast<int>(i);
    return -1;
}

std::optional<double> parseNumber(std::string_view cell, CsvStyle style) {
    std::string s = trimmed(cell);
    if (s.empty()) return std::nullopt;
    if (s.front() == '+') s.erase(0, 1);
    if (style == CsvStyle::SemicolonComma) {
        if (s.find('.') != std::string::npos)
            return std::nullopt; // a thousands point, or the other convention
        for (char& c : s)
            if (c == ',') c = '.';
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc{} || ptr != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

char separatorOf(CsvStyle style) {
    return style == CsvStyle::SemicolonComma ? ';' : ',';
}

std::string joinCells(const std::vector<std::string>& cells, CsvStyle style) {
    const char sep = separatorOf(style);
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += sep;
        const std::string& c = cells[i];
        if (c.find_first_of(std::string{sep, '"', '\n', '\r'}) == std::string::npos) {
            out += c;
            continue;
        }
        out += '"';
        for (char ch : c) {
            if (ch == '"') out += '"';
            out += ch;
        }
        out += '"';
    }
    out += '\n';
    return out;
}

bool readWholeFile(const std::string& path, std::string& text, std::string& error, std::size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": no se puede leer: " + systemErrorText(errno);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    if (text.size() > maxBytes) {
        error = path + ": es demasiado grande (más de " + std::to_string(maxBytes >> 20) + " MB)";
        return false;
    }
    return true;
}

} // namespace eh::clase
