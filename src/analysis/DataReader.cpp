#include "analysis/DataReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "analysis/PlausibleLimits.h"
#include "datafile/SystemErrorText.h"

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

// Length in bytes of the UTF-8 sequence at the start of s that a terminal shows as a
// printable character, or 0: a control character (C0, DEL, C1) or a broken sequence.
std::size_t printableSequence(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    if (c >= 0x20 && c < 0x7f) return 1;
    const std::size_t n = c >= 0xf0 && c < 0xf5 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 && c < 0xe0 ? 2 : 0;
    if (n == 0 || n > s.size() || c >= 0xf5) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((b(i) & 0xc0) != 0x80) return 0;
    if (n == 2 && c == 0xc2 && b(1) < 0xa0) return 0;  // C1 controls, U+0080 to U+009F
    if (n == 3 && c == 0xe0 && b(1) < 0xa0) return 0;  // overlong
    if (n == 3 && c == 0xed && b(1) >= 0xa0) return 0; // surrogate halves
    if (n == 4 && c == 0xf0 && b(1) < 0x90) return 0;  // overlong
    if (n == 4 && c == 0xf4 && b(1) >= 0x90) return 0; // past U+10FFFF
    return n;
}

// A field as the user reads it in a message: control characters and broken bytes
// written as \xNN (a data file must not retitle, clear or colour the terminal that
// shows the message), and at most kShownChars characters.
constexpr std::size_t kShownChars = 40;
std::string quoted(std::string_view field) {
    field = trim(field);
    std::string out = "«";
    std::size_t shown = 0;
    while (!field.empty() && shown < kShownChars) {
        const std::size_t n = printableSequence(field);
        if (n > 0) {
            out.append(field.substr(0, n));
        } else {
            static const char hex[] = "0123456789abcdef";
            const auto c = static_cast<unsigned char>(field.front());
            out += {'\\', 'x', hex[c >> 4], hex[c & 15]};
        }
        field.remove_prefix(std::max<std::size_t>(n, 1));
        ++shown;
    }
    return out + (field.empty() ? "»" : "…»");
}

// Why a value outside [min, max] is no reading of this bench, or empty. The value is
// shown as written in the file (it is a number: nothing to escape), the limit to 7 digits.
std::string outside(const char* what, std::string_view field, double v, double min, double max,
                    const char* unit) {
    const char* side = v < min ? ", por debajo de " : v > max ? ", por encima de " : nullptr;
    if (!side) return {};
    char limit[32];
    const auto end =
        std::to_chars(limit, limit + sizeof limit, v < min ? min : max, std::chars_format::general, 7);
    return std::string(what) + " de " + std::string(trim(field)) + " " + unit + side +
           std::string(limit, end.ptr) + " " + unit;
}

// Checks one line of numbers; an empty reason means accepted.
std::string parseRecord(std::string_view line, CsvStyle convention, Record& r) {
    const char separator = convention == CsvStyle::SemicolonComma ? ';' : ',';
    const auto fields = split(line, separator);
    if (fields.count != 7)
        return "se esperaban 7 números y hay " + std::to_string(fields.count) +
               (fields.count == 1 ? " campo" : " campos");
    double v[7];
    for (std::size_t i = 0; i < 7; ++i) {
        if (!parseNumber(fields.at[i], convention, v[i])) return quoted(fields.at[i]) + " no es un número";
        if (!std::isfinite(v[i])) return quoted(fields.at[i]) + " no es un número finito";
    }
    if (v[1] < 0) return "temperatura negativa";
    if (v[1] == 0) return "temperatura cero";
    if (v[2] < 0) return "campo negativo";
    if (v[3] < 0) return "corriente negativa";
    static const char* const kReadings[] = {"lectura de resistividad", "lectura Hall con « - »",
                                            "lectura Hall con «+»"};
    for (std::string reason :
         {outside("temperatura", fields.at[1], v[1], kMinTemperatureK, kMaxTemperatureK, "K"),
          outside("campo", fields.at[2], v[2], 0, kMaxFieldG, "G"),
          outside("corriente", fields.at[3], v[3], 0, kMaxCurrentMa, "mA"),
          outside(kReadings[0], fields.at[4], v[4], -kMaxVoltageV, kMaxVoltageV, "V"),
          outside(kReadings[1], fields.at[5], v[5], -kMaxVoltageV, kMaxVoltageV, "V"),
          outside(kReadings[2], fields.at[6], v[6], -kMaxVoltageV, kMaxVoltageV, "V")})
        if (!reason.empty()) return reason;
    r.number = v[0];
    r.temperatureK = v[1];
    r.fieldG = v[2];
    r.currentMa = v[3];
    r.vrV = v[4];
    r.vMinusV = v[5];
    r.vPlusV = v[6];
    return {};
}

// The lines of a text: ends are LF, CR LF, or a lone CR (an old Macintosh file).
// Lines are found with memchr, which scans many bytes at a time: this runs twice over
// files of up to a million lines.
struct LineCursor {
    std::string_view text;
    std::size_t pos = 0;
    std::size_t newline = 0; // the next LF at or after pos, text.size() for none; 0: not yet sought
    bool next(std::string_view& line) {
        if (pos >= text.size()) return false;
        if (newline < pos || (newline == 0 && pos == 0)) newline = find('\n', pos, text.size());
        // A CR before the LF ends the line there: a CR LF pair or a lone CR.
        const std::size_t end = find('\r', pos, newline);
        line = text.substr(pos, end - pos);
        pos = end + 1;
        if (pos == newline) ++pos; // the LF of a CR LF
        return true;
    }
    // The first `c` in [from, to), or `to`.
    std::size_t find(char c, std::size_t from, std::size_t to) const {
        const void* hit = std::memchr(text.data() + from, c, to - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : to;
    }
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xc0 | (c >> 6));
        out += char(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += char(0xe0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3f));
        out += char(0x80 | (c & 0x3f));
    } else {
        out += char(0xf0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3f));
        out += char(0x80 | ((c >> 6) & 0x3f));
        out += char(0x80 | (c & 0x3f));
    }
}

// A text saved as UTF-16 (a spreadsheet's "Unicode text"): with a byte-order mark, or
// without one when its first characters are ASCII with a zero byte beside each.
// Decoded to UTF-8 into `out`; false for any other text.
bool decodeUtf16(std::string_view text, std::string& out) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() < 4) return false;
    bool little = b(0) == 0xff && b(1) == 0xfe, big = b(0) == 0xfe && b(1) == 0xff;
    std::size_t start = 2;
    if (!little && !big) {
        start = 0;
        const std::size_t probe = std::min<std::size_t>(text.size() & ~std::size_t{1}, 64);
        little = big = true;
        for (std::size_t i = 0; i < probe; i += 2) {
            little = little && b(i) != 0 && b(i) < 0x80 && b(i + 1) == 0;
            big = big && b(i) == 0 && b(i + 1) != 0 && b(i + 1) < 0x80;
        }
        if (!little && !big) return false;
    }
    out.clear();
    out.reserve(text.size() / 2);
    const auto unit = [&](std::size_t i) -> char32_t {
        return little ? b(i) | b(i + 1) << 8 : b(i) << 8 | b(i + 1);
    };
    for (std::size_t i = start; i + 1 < text.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xd800 && c < 0xdc00 && i + 3 < text.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xdc00 && low < 0xe000) {
                c = 0x10000 + ((c - 0xd800) << 10) + (low - 0xdc00);
                i += 2;
            }
        }
        appendUtf8(out, c >= 0xd800 && c < 0xe000 ? char32_t{0xfffd} : c);
    }
    if (text.size() % 2 != 0) appendUtf8(out, 0xfffd);
    return true;
}

} // namespace

bool parseDataText(std::string_view text, DataSet& out, std::string& error) {
    out = {};
    std::string decoded;
    if (decodeUtf16(text, decoded)) text = decoded;
    // One pass to count lines, so that an oversized file is refused before any work,
    // and to let the lines choose the convention: a record of the bench has no ';',
    // a spreadsheet's has one in every line, a stray one in a single line decides nothing.
    std::size_t lines = 0, withSemicolon = 0, nonBlank = 0;
    std::string_view line;
    for (LineCursor c{text}; c.next(line);) {
        ++lines;
        if (blank(line)) continue;
        ++nonBlank;
        if (line.find(';') != std::string_view::npos) ++withSemicolon;
    }
    if (lines > kMaxFileLines) {
        error = "el fichero tiene más de " + std::to_string(kMaxFileLines) + " líneas";
        return false;
    }
    out.convention = 2 * withSemicolon > nonBlank ? CsvStyle::SemicolonComma : CsvStyle::CommaPoint;
    out.records.reserve(lines);
    bool first = true;
    int lineNo = 0;
    for (LineCursor c{text}; c.next(line);) {
        ++lineNo;
        if (lineNo == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3); // spreadsheet BOM
        if (blank(line)) continue;
        if (first) {
            first = false;
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

const char* conventionText(CsvStyle convention) {
    return convention == CsvStyle::SemicolonComma
               ? "punto y coma entre campos y coma decimal, como una hoja de cálculo en español"
               : "coma entre campos y punto decimal, como los escribe el banco";
}

std::string rejectionSummary(const DataSet& data) {
    const std::size_t n = data.rejected.size();
    if (n == 0) return {};
    return std::to_string(n) + (n == 1 ? " línea rechazada" : " líneas rechazadas") + "; leído con " +
           conventionText(data.convention);
}

bool readDataFile(const std::string& path, DataSet& out, std::string& error) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = "no se puede leer " + path + ": " + systemErrorText(ec.value());
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
    // Read into memory that is not first zeroed: the file fills it.
    const auto text = std::make_unique_for_overwrite<char[]>(size);
    in.read(text.get(), static_cast<std::streamsize>(size));
    const auto length = static_cast<std::size_t>(in.gcount());
    if (in.bad()) {
        error = "error al leer " + path;
        return false;
    }
    if (!parseDataText({text.get(), length}, out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace eh::analysis
