// Reading data files as the bench writes them and as spreadsheets save them back.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "analysis/DataReader.h"

using namespace eh::analysis;

namespace {

DataSet parse(std::string_view text) {
    DataSet d;
    std::string error;
    EXPECT_TRUE(parseDataText(text, d, error)) << error;
    return d;
}

} // namespace

// A byte-order mark before the first record is not part of its number.
TEST(DataReader, BenchFileWithCrLfAndExponents) {
    const DataSet d = parse("\xEF\xBB\xBF"
                            "1,300,9000,10,1.238,0.2812,-0.2812\r\n"
                            "2,52.91555,8991.999,0.001,1.5E-05,-2.5E-07,3e-07\r\n");
    ASSERT_EQ(d.records.size(), 2u);
    EXPECT_TRUE(d.rejected.empty());
    EXPECT_EQ(d.convention, CsvStyle::CommaPoint);
    const Record& r = d.records[1];
    EXPECT_EQ(r.line, 2);
    const double expected[] = {2, 52.91555, 8991.999, 0.001, 1.5e-5, -2.5e-7, 3e-7};
    const double got[] = {r.number, r.temperatureK, r.fieldG, r.currentMa, r.vrV, r.vMinusV, r.vPlusV};
    for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(got[i], expected[i]) << "field " << i + 1;
}

// A spreadsheet in Spanish writes ';' between fields and ',' in numbers, often with a
// header line, a byte-order mark and LF line ends. Line numbers count every line.
TEST(DataReader, SpreadsheetFileInSpanishConvention) {
    const DataSet d = parse("\xEF\xBB\xBFregistro;T;B;I;Vr;V-;V+\n"
                            "1;300;9000;10;1,238;0,2812;-0,2812\n"
                            "\n"
                            "2;310,5;9000;10;1,3;0,28;-0,28\n"
                            "3;300;9.000;10;1,2;0,3;-0,3\n"); // a point is refused, not read as thousands
    EXPECT_TRUE(d.hadHeader);
    EXPECT_EQ(d.convention, CsvStyle::SemicolonComma);
    ASSERT_EQ(d.records.size(), 2u);
    EXPECT_DOUBLE_EQ(d.records[0].vrV, 1.238);
    EXPECT_DOUBLE_EQ(d.records[1].temperatureK, 310.5);
    EXPECT_EQ(d.records[1].line, 4);
    ASSERT_EQ(d.rejected.size(), 1u);
    EXPECT_EQ(d.rejected[0].line, 5);
}

// A header has letters and not one number: a damaged first record is rejected, not
// skipped as a header, wherever the damage is.
TEST(DataReader, DamagedFirstRecordIsNotAHeader) {
    for (const char* first : {"1,300,9000,x,1.2,0.3,-0.3", "x,300,9000,10,1.2,0.3,-0.3"}) {
        const DataSet d = parse(std::string(first) + "\n2,300,9000,10,1.2,0.3,-0.3\n");
        EXPECT_FALSE(d.hadHeader) << first;
        EXPECT_EQ(d.rejected.size(), 1u) << first;
    }
}

TEST(DataReader, MalformedLinesAreReportedWithLineAndReason) {
    struct Row {
        const char* line;
        const char* reasonPart; // empty: accepted
    } rows[] = {
        {"1,300,9000,10,1.2,0.3", "7 números y hay 6"},
        {"1,300,9000,10,1.2,0.3,-0.3,4", "hay 8"},
        {"1,300,9000,10,abc,0.3,-0.3", "«abc» no es un número"},
        {"1,300,9000,10,,0.3,-0.3", "no es un número"},
        {"1,nan,9000,10,1.2,0.3,-0.3", "no es un número finito"},
        {"1,300,inf,10,1.2,0.3,-0.3", "no es un número finito"},
        {"1,-300,9000,10,1.2,0.3,-0.3", "temperatura negativa"},
        {"1,0,9000,10,1.2,0.3,-0.3", "temperatura cero"},
        {"1,300,9000,-10,1.2,0.3,-0.3", "corriente negativa"},
        {"1,300,-9000,10,1.2,0.3,-0.3", "campo negativo"},
        {"1,300,9000,0,1.2,0.3,-0.3", ""},     // no current: accepted, nothing derived
        {"1, 300 ,9000,10,+1.2,0.3,-0.3", ""}, // blanks and a plus sign
        {"1,300,9000,10,1.2.3,0.3,-0.3", "no es un número"},
        {"1,3OO,9000,10,1.2,0.3,-0.3", "no es un número"}, // letters O, not zeros
    };
    for (const Row& r : rows) {
        // A valid first line fixes the convention, so every row is read as a record.
        const DataSet d = parse(std::string("1,300,9000,10,1.2,0.3,-0.3\n") + r.line + "\n");
        const bool accepted = *r.reasonPart == '\0';
        EXPECT_EQ(d.records.size(), accepted ? 2u : 1u) << r.line;
        ASSERT_EQ(d.rejected.size(), accepted ? 0u : 1u) << r.line;
        if (!accepted) {
            EXPECT_EQ(d.rejected[0].line, 2) << r.line;
            EXPECT_NE(d.rejected[0].reason.find(r.reasonPart), std::string::npos)
                << r.line << " -> " << d.rejected[0].reason;
        }
    }
}

TEST(DataReader, EmptyAndBlankTextsHaveNoRecords) {
    for (const char* text : {"", "\r\n", "\n\n   \n", "  \t "}) {
        const DataSet d = parse(text);
        EXPECT_TRUE(d.records.empty() && d.rejected.empty()) << '"' << text << '"';
    }
}

TEST(DataReader, LineLimitAtOneMillion) {
    struct Row {
        std::size_t lines;
        bool trailingNewline;
        bool accepted;
    } rows[] = {
        {999'999, true, true},    {1'000'000, true, true},   {1'000'000, false, true},
        {1'000'001, true, false}, {1'000'001, false, false},
    };
    for (const Row& r : rows) {
        std::string text(r.lines, '\n');
        if (!r.trailingNewline) text.back() = ' ';
        DataSet d;
        std::string error;
        EXPECT_EQ(parseDataText(text, d, error), r.accepted) << r.lines << " " << r.trailingNewline;
        if (!r.accepted) {
            EXPECT_NE(error.find("1000000"), std::string::npos) << error;
        }
    }
}

TEST(DataReader, FileSizeLimitAt64MB) {
    constexpr std::uintmax_t k64MB = 64ull * 1024 * 1024;
    // A folder of its own: another run of this test may be going on beside it.
    std::string folder = (std::filesystem::temp_directory_path() / "tarvelo-reader-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    const auto path = std::filesystem::path(folder) / "size";
    for (const std::uintmax_t bytes : {k64MB - 1, k64MB, k64MB + 1}) {
        { std::ofstream out(path, std::ios::binary | std::ios::trunc); }
        std::filesystem::resize_file(path, bytes); // one long line of zero bytes
        DataSet d;
        std::string error;
        EXPECT_EQ(readDataFile(path.string(), d, error), bytes <= k64MB) << bytes;
        if (bytes <= k64MB)
            EXPECT_EQ(d.rejected.size(), 1u) << bytes; // the NUL line is not numbers
        else
            EXPECT_NE(error.find("64 MB"), std::string::npos) << error;
    }
    std::filesystem::remove_all(folder);
}

namespace {

// The shortest text that reads back as exactly v.
std::string exact(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

double below(double v) {
    return std::nextafter(v, -INFINITY);
}
double above(double v) {
    return std::nextafter(v, INFINITY);
}

} // namespace

// Each limit of what a bench of this kind can record, just under, at and just over its
// value; the message names the quantity, the value as written and the limit.
TEST(DataReader, ReadingsOutsideWhatABenchGivesAreRefusedAtTheirLimits) {
    struct Row {
        int field; // 1 temperature, 2 field, 3 current, 4..6 readings
        double value;
        const char* reason; // empty: accepted
    } rows[] = {
        {1, below(1), "temperatura de 0.9999999999999999 K, por debajo de 1 K"},
        {1, 1, ""},
        {1, 1000, ""},
        {1, above(1000), "temperatura de 1000.0000000000001 K, por encima de 1000 K"},
        {1, 1e308, "temperatura de 1e+308 K, por encima de 1000 K"},
        {1, 1e-320, "temperatura de 1e-320 K, por debajo de 1 K"},
        {2, 0, ""}, // the magnet off: a resistivity record
        {2, 30000, ""},
        {2, above(30000), "campo de 30000.000000000004 G, por encima de 30000 G"},
        {3, 0, ""},
        {3, 1000, ""},
        {3, above(1000), "corriente de 1000.0000000000001 mA, por encima de 1000 mA"},
        {3, 1e308, "corriente de 1e+308 mA, por encima de 1000 mA"},
        {4, 100, ""},
        {4, -100, ""},
        {4, above(100), "lectura de resistividad de 100.00000000000001 V, por encima de 100 V"},
        {4, below(-100), "lectura de resistividad de -100.00000000000001 V, por debajo de -100 V"},
        {5, 1e308, "lectura Hall con « - » de 1e+308 V, por encima de 100 V"},
        {5, -100, ""},
        {6, -1e308, "lectura Hall con «+» de -1e+308 V, por debajo de -100 V"},
        {6, 100, ""},
        {4, 1e-320, ""}, // a reading too small to use is kept; the quantities say why
    };
    for (const Row& row : rows) {
        std::string fields[7] = {"1", "300", "9000", "10", "1.2", "0.3", "-0.3"};
        fields[row.field] = exact(row.value);
        std::string line = fields[0];
        for (int i = 1; i < 7; ++i) line += "," + fields[i];
        const DataSet d = parse("1,300,9000,10,1.2,0.3,-0.3\n" + line + "\n");
        const bool accepted = *row.reason == '\0';
        ASSERT_EQ(d.rejected.size(), accepted ? 0u : 1u) << line;
        if (accepted) {
            ASSERT_EQ(d.records.size(), 2u) << line;
            const Record& r = d.records[1];
            const double got[] = {r.number, r.temperatureK, r.fieldG, r.currentMa,
                                  r.vrV,    r.vMinusV,      r.vPlusV};
            EXPECT_EQ(got[row.field], row.value) << line;
        } else {
            EXPECT_EQ(d.rejected[0].reason, row.reason) << line;
        }
    }
}

// A bench file with one stray ';' in its first line is still a bench file: the
// convention is what most lines are written in, and the summary says which was used.
TEST(DataReader, ConventionIsChosenByMostLines) {
    struct Row {
        const char* text;
        CsvStyle convention;
        std::size_t records, rejected;
    } rows[] = {
        {"1,300;9000,10,1.2,0.3,-0.3\r\n2,310,9000,10,1.1,0.2,-0.2\r\n3,320,9000,10,1.0,0.1,-0.1\r\n",
         CsvStyle::CommaPoint, 2, 1},
        {"1;300;9000;10;1,2;0,3;-0,3\n2,310,9000,10,1.1,0.2,-0.2\n", CsvStyle::CommaPoint, 1, 1}, // a tie
        {"registro;T;B;I;Vr;V-;V+\n1;300;9000;10;1,2;0,3;-0,3\n2,310,9000,10,1.1,0.2,-0.2\n3;320;9000;10;1;0,"
         "1;-0,1\n",
         CsvStyle::SemicolonComma, 2, 1},
    };
    for (const Row& row : rows) {
        const DataSet d = parse(row.text);
        EXPECT_EQ(d.convention, row.convention) << row.text;
        EXPECT_EQ(d.records.size(), row.records) << row.text;
        EXPECT_EQ(d.rejected.size(), row.rejected) << row.text;
    }
    EXPECT_EQ(rejectionSummary(parse(rows[0].text)),
              "1 línea rechazada; leído con coma entre campos y punto decimal, como los escribe el banco");
    EXPECT_EQ(rejectionSummary(parse(rows[2].text)),
              "1 línea rechazada; leído con punto y coma entre campos y "
              "coma decimal, como una hoja de cálculo en español");
    EXPECT_EQ(rejectionSummary(parse("1,300\n2,x\n")),
              "2 líneas rechazadas; leído con coma entre campos y punto decimal, como los escribe el banco");
    EXPECT_EQ(rejectionSummary(parse("1,300,9000,10,1.2,0.3,-0.3\n")), "");
}

TEST(DataReader, FieldCountInTheSingularForOne) {
    EXPECT_EQ(parse("1\n").rejected.at(0).reason, "se esperaban 7 números y hay 1 campo");
    EXPECT_EQ(parse("1,2\n").rejected.at(0).reason, "se esperaban 7 números y hay 2 campos");
}

// A field echoed in a message must not drive the terminal that shows it: no control
// byte (C0, DEL, C1 in either form) and no broken UTF-8 reaches the reason, and a long
// field is cut. Letters of any language stay as they are.
TEST(DataReader, RejectedFieldsAreShownWithControlCharactersEscaped) {
    struct Row {
        std::string field, shown;
    } rows[] = {
        {"\x1b]0;pwned\x07", "«\\x1b]0;pwned\\x07» no es un número"},
        {"\x1b[2J\x1b[31mX", "«\\x1b[2J\\x1b[31mX» no es un número"},
        {std::string("a\0b", 3), "«a\\x00b» no es un número"},
        {"a\x7f\x9b"
         "b",
         "«a\\x7f\\x9bb» no es un número"}, // DEL, a lone C1 byte
        {"a\xc2\x9b"
         "b",
         "«a\\xc2\\x9bb» no es un número"},             // C1 CSI in UTF-8
        {"a\xe2\x82", "«a\\xe2\\x82» no es un número"}, // a cut sequence
        {"señal\xe2\x82\xac", "«señal€» no es un número"},
        {std::string(41, 'a'), "«" + std::string(40, 'a') + "…» no es un número"},
        {std::string(40, 'a'), "«" + std::string(40, 'a') + "» no es un número"},
        {std::string(30, '\x1b'), ""}, // escapes count as characters: cut too
    };
    for (const Row& row : rows) {
        const DataSet d = parse("1,300,9000,10,1.2,0.3,-0.3\n1,300,9000,10," + row.field + ",0.3,-0.3\n");
        ASSERT_EQ(d.rejected.size(), 1u) << row.shown;
        const std::string& reason = d.rejected[0].reason;
        if (!row.shown.empty()) {
            EXPECT_EQ(reason, row.shown);
        }
        for (std::size_t i = 0; i < reason.size(); ++i) {
            const auto c = static_cast<unsigned char>(reason[i]);
            EXPECT_FALSE(c < 0x20 || c == 0x7f) << row.shown << " byte " << i;
            EXPECT_FALSE(c == 0xc2 && i + 1 < reason.size() &&
                         static_cast<unsigned char>(reason[i + 1]) < 0xa0)
                << row.shown << " byte " << i;
        }
        EXPECT_LT(reason.size(), 40u * 4 + 40) << reason;
    }
}

namespace {

std::string utf16(std::string_view ascii, bool little, bool mark) {
    std::string out = mark ? (little ? "\xff\xfe" : "\xfe\xff") : "";
    for (char c : ascii) {
        out += little ? c : '\0';
        out += little ? '\0' : c;
    }
    return out;
}

void expectSameRecords(const DataSet& got, const DataSet& expected, const std::string& what) {
    ASSERT_EQ(got.records.size(), expected.records.size()) << what;
    EXPECT_EQ(got.rejected.size(), expected.rejected.size()) << what;
    for (std::size_t i = 0; i < got.records.size(); ++i) {
        const Record &a = got.records[i], &b = expected.records[i];
        EXPECT_EQ(a.line, b.line) << what;
        EXPECT_EQ(a.temperatureK, b.temperatureK) << what;
        EXPECT_EQ(a.vPlusV, b.vPlusV) << what;
    }
}

} // namespace

// A spreadsheet's "Unicode text" and an old Macintosh's line ends are read as the same
// records, with the same line numbers, as the bench's own file.
TEST(DataReader, Utf16AndCarriageReturnOnlyFilesAreRead) {
    const std::string bench = "1,300,9000,10,1.238,0.2812,-0.2812\r\n"
                              "2,310,9000,10,1.1,0.25,-0.25\r\n"
                              "\r\n"
                              "4,320,9000,10,1.0,0.2,-0.2\r\n";
    const DataSet expected = parse(bench);
    ASSERT_EQ(expected.records.size(), 3u);
    EXPECT_EQ(expected.records[2].line, 4);
    expectSameRecords(parse(utf16(bench, true, true)), expected, "UTF-16LE with mark");
    expectSameRecords(parse(utf16(bench, false, true)), expected, "UTF-16BE with mark");
    expectSameRecords(parse(utf16(bench, true, false)), expected, "UTF-16LE without mark");
    expectSameRecords(parse(utf16(bench, false, false)), expected, "UTF-16BE without mark");
    std::string crOnly = bench;
    std::erase(crOnly, '\n');
    expectSameRecords(parse(crOnly), expected, "CR only");
    std::string lfOnly = bench;
    std::erase(lfOnly, '\r');
    expectSameRecords(parse(lfOnly), expected, "LF only");
    // A header with a letter outside ASCII (º) in UTF-16 is still a header.
    const DataSet header = parse(std::string("\xff\xfe") + std::string("T\0\xba\0K\0\n\0", 8) +
                                 utf16("1,300,9000,10,1.2,0.3,-0.3\n", true, false));
    EXPECT_TRUE(header.hadHeader);
    EXPECT_EQ(header.records.size(), 1u);
    EXPECT_TRUE(header.rejected.empty());
}
