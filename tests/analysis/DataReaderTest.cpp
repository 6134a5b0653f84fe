// Reading data files as the bench writes them and as spreadsheets save them back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/DataReader.h"

using namespace eh::analysis;

namespace {

DataSet parse(std::string_view text) {
    DataSet d;
    std::string error;
    EXPECT_TRUE(parseDataText(text, d, error)) << error;
    return d;
}

std::filesystem::path tempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("tarvelo-reader-" + name);
}

} // namespace

TEST(DataReader, BenchFileWithCrLfAndExponents) {
    const DataSet d = parse("1,300,9000,10,1.238,0.2812,-0.2812\r\n"
                            "2,52.91555,8991.999,0.001,1.5E-05,-2.5E-07,3e-07\r\n");
    ASSERT_EQ(d.records.size(), 2u);
    EXPECT_TRUE(d.rejected.empty());
    EXPECT_EQ(d.convention, Convention::CommaPoint);
    const Record& r = d.records[1];
    EXPECT_EQ(r.line, 2);
    EXPECT_DOUBLE_EQ(r.number, 2);
    EXPECT_DOUBLE_EQ(r.temperatureK, 52.91555);
    EXPECT_DOUBLE_EQ(r.fieldG, 8991.999);
    EXPECT_DOUBLE_EQ(r.currentMa, 0.001);
    EXPECT_DOUBLE_EQ(r.vrV, 1.5e-5);
    EXPECT_DOUBLE_EQ(r.vMinusV, -2.5e-7);
    EXPECT_DOUBLE_EQ(r.vPlusV, 3e-7);
}

// A spreadsheet in Spanish writes ';' between fields and ',' in numbers, often with a
// header line, a byte-order mark and LF line ends.
TEST(DataReader, SpreadsheetFileInSpanishConvention) {
    const DataSet d = parse("\xEF\xBB\xBFregistro;T;B;I;Vr;V-;V+\n"
                            "1;300;9000;10;1,238;0,2812;-0,2812\n"
                            "\n"
                            "2;310,5;9000;10;1,3;0,28;-0,28\n");
    EXPECT_TRUE(d.hadHeader);
    EXPECT_EQ(d.convention, Convention::SemicolonComma);
    ASSERT_EQ(d.records.size(), 2u);
    EXPECT_TRUE(d.rejected.empty());
    EXPECT_DOUBLE_EQ(d.records[0].vrV, 1.238);
    EXPECT_DOUBLE_EQ(d.records[1].temperatureK, 310.5);
    EXPECT_EQ(d.records[1].line, 4); // blank line counted, not reported
}

TEST(DataReader, MalformedLinesAreReportedWithLineAndReason) {
    struct Row {
        const char* line;
        const char* reasonPart; // empty: accepted
    } rows[] = {
        {"1,300,9000,10,1.2,0.3,-0.3", ""},
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
        if (*r.reasonPart == '\0') {
            EXPECT_EQ(d.records.size(), 2u) << r.line;
            EXPECT_TRUE(d.rejected.empty()) << r.line;
        } else {
            EXPECT_EQ(d.records.size(), 1u) << r.line;
            ASSERT_EQ(d.rejected.size(), 1u) << r.line;
            EXPECT_EQ(d.rejected[0].line, 2) << r.line;
            EXPECT_NE(d.rejected[0].reason.find(r.reasonPart), std::string::npos)
                << r.line << " -> " << d.rejected[0].reason;
        }
    }
}

TEST(DataReader, ConventionsAreNotMixed) {
    // A point in a file of decimal commas is refused, not read as thousands.
    const DataSet es = parse("1;300;9000;10;1,2;0,3;-0,3\n2;300;9.000;10;1,2;0,3;-0,3\n");
    EXPECT_EQ(es.records.size(), 1u);
    ASSERT_EQ(es.rejected.size(), 1u);
    EXPECT_EQ(es.rejected[0].line, 2);
    // A damaged first line with letters and numbers is a rejected record, not a header.
    const DataSet damaged = parse("1,300,9000,x,1.2,0.3,-0.3\n2,300,9000,10,1.2,0.3,-0.3\n");
    EXPECT_FALSE(damaged.hadHeader);
    EXPECT_EQ(damaged.records.size(), 1u);
    EXPECT_EQ(damaged.rejected.size(), 1u);
}

TEST(DataReader, EmptyAndBlankTextsHaveNoRecords) {
    for (const char* text : {"", "\r\n", "\n\n   \n", "  \t "}) {
        const DataSet d = parse(text);
        EXPECT_TRUE(d.records.empty());
        EXPECT_TRUE(d.rejected.empty());
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
        std::string text;
        for (std::size_t i = 0; i < r.lines; ++i) text += "\n";
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
    struct Row {
        std::uintmax_t bytes;
        bool accepted;
    } rows[] = {{kMaxFileBytes - 1, true}, {kMaxFileBytes, true}, {kMaxFileBytes + 1, false}};
    for (const Row& r : rows) {
        const auto path = tempFile("size");
        { std::ofstream out(path, std::ios::binary | std::ios::trunc); }
        std::filesystem::resize_file(path, r.bytes); // one long line of zero bytes
        DataSet d;
        std::string error;
        EXPECT_EQ(readDataFile(path.string(), d, error), r.accepted) << r.bytes;
        if (r.accepted)
            EXPECT_EQ(d.rejected.size(), 1u) << r.bytes; // the NUL line is not numbers
        else
            EXPECT_NE(error.find("64 MB"), std::string::npos) << error;
        std::filesystem::remove(path);
    }
}

TEST(DataReader, MissingFileIsAnErrorNotAnEmptySet) {
    DataSet d;
    std::string error;
    EXPECT_FALSE(readDataFile(tempFile("does-not-exist").string(), d, error));
    EXPECT_NE(error.find("no se puede leer"), std::string::npos) << error;
}
