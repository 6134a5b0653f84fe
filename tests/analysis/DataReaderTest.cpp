// Reading data files as the bench writes them and as spreadsheets save them back.
#include <gtest/gtest.h>

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
    EXPECT_EQ(d.convention, Convention::CommaPoint);
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
    EXPECT_EQ(d.convention, Convention::SemicolonComma);
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
