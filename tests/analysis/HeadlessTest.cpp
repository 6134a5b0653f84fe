// The analysis command without a window: its options, its files and its failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/HeadlessRun.h"

using namespace eh::analysis;
namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path = fs::temp_directory_path() / "tarvelo-headless-test";
    TempDir() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string& name, const std::string& content = {}) const {
        const fs::path p = path / name;
        if (!content.empty()) std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream s(text);
    for (std::string l; std::getline(s, l);) out.push_back(l);
    return out;
}

// The worked record of sample 1 at 300 K and a line that must be rejected.
const char* const kData = "1,300,9000,10,1.238,0.2812,-0.2812\r\n"
                          "2,310,9000,10,1.3,0.28,\r\n"
                          "3,320,9000,0,1.3,0.28,-0.28\r\n";

} // namespace

TEST(AnalysisOptions, CommandLine) {
    struct Row {
        std::vector<std::string> args;
        bool ok;
    } rows[] = {
        {{"--tabla", "t.csv", "d.asc"}, true},
        {{"--tabla", "t.csv"}, false},                   // no data file
        {{"--tabla", "t.csv", "a.asc", "b.asc"}, false}, // one file without a window
        {{"a.asc", "b.asc"}, true},                      // the window takes several
        {{"--rango-gap", "500:800", "--ajustes", "a", "d"}, true},
        {{"--rango-gap", "800:500", "--ajustes", "a", "d"}, false},
        {{"--rango-gap", "500", "--ajustes", "a", "d"}, false},
        {{"--rango-gap", "-5:800", "--ajustes", "a", "d"}, false},
        {{"--rango-movilidad", "100:100", "--ajustes", "a", "d"}, true}, // one temperature
        {{"--temperatura-campo", "0", "--ajustes", "a", "d"}, false},
        {{"--formato", "es", "--ajustes", "a", "d"}, true},
        {{"--formato", "fr", "--ajustes", "a", "d"}, false},
        {{"--muestra", "2", "--ajustes", "a", "d"}, true},
        {{"--muestra", "0", "--ajustes", "a", "d"}, false},
        {{"--desconocida", "1", "d"}, false},
    };
    for (const Row& r : rows) {
        std::string error;
        EXPECT_EQ(parseAnalysisOptions(r.args, error).has_value(), r.ok)
            << (r.args.empty() ? "" : r.args[0]) << " " << error;
    }
}

TEST(Headless, WritesTableAndFitsInBothConventions) {
    TempDir dir;
    const std::string data = dir.file("datos.asc", kData);
    for (CsvStyle style : {CsvStyle::CommaPoint, CsvStyle::SemicolonComma}) {
        AnalysisOptions o;
        o.sample = 1;
        o.style = style;
        o.tableFile = dir.file("t.csv");
        o.fitsFile = dir.file("a.csv");
        o.dataFiles = {data};
        std::ostringstream err;
        ASSERT_EQ(runHeadless(o, err), 0) << err.str();
        const bool es = style == CsvStyle::SemicolonComma;
        // The rejected line is listed on standard error with its number.
        EXPECT_NE(err.str().find("línea 2:"), std::string::npos) << err.str();

        const auto table = lines(slurp(o.tableFile));
        ASSERT_EQ(table.size(), 3u); // header and the two accepted records
        std::string header = "registro,T_K,B_G,I_mA,Vr_V,Vmenos_V,Vmas_V,VH_V,rho_ohm_cm,sigma_S_cm,"
                             "RH_cm3_C,tipo,densidad_cm3,muH_cm2_Vs";
        std::string row1 = "1,300,9000,10,1.238,0.2812,-0.2812,-0.2812,0.8253333,1.211632,-3124.444,n,"
                           "1.997638e+15,3785.676";
        // No current: resistivity, Hall coefficient and everything after are empty.
        std::string row3 = "3,320,9000,0,1.3,0.28,-0.28,-0.28,,,,,,";
        if (es)
            for (std::string* s : {&header, &row1, &row3})
                for (char& c : *s) c = c == ',' ? ';' : c == '.' ? ',' : c;
        EXPECT_EQ(table[0], header);
        EXPECT_EQ(table[1], row1);
        EXPECT_EQ(table[2], row3);

        const auto fits = lines(slurp(o.fitsFile));
        ASSERT_EQ(fits.size(), 5u);
        EXPECT_EQ(fits[0], es ? "ajuste;valor;incertidumbre;unidad;puntos;T_min;T_max;R2"
                              : "ajuste,valor,incertidumbre,unidad,puntos,T_min,T_max,R2");
        // Too few points everywhere: empty value, the count and the range.
        EXPECT_EQ(fits[1], es ? "gap_sigma;;;eV;0;500;800;" : "gap_sigma,,,eV,0,500,800,");
        EXPECT_EQ(fits[4], es ? "RH_campo;;;cm3/C;1;299;301;" : "RH_campo,,,cm3/C,1,299,301,");
    }
}

TEST(Headless, FailsCleanly) {
    TempDir dir;
    struct Row {
        const char* what;
        std::string data;  // file content; empty: no file at all
        std::string table; // where the table goes
        const char* message;
    } rows[] = {
        {"missing file", "", dir.file("t.csv"), "no se puede leer"},
        {"no accepted record", "a,b,c\n1,2\n", dir.file("t.csv"), "ningún registro aceptado"},
        {"unwritable output", kData, (dir.path / "no-such-folder" / "t.csv").string(),
         "no se puede escribir"},
    };
    for (const Row& r : rows) {
        AnalysisOptions o;
        o.tableFile = r.table;
        o.dataFiles = {r.data.empty() ? dir.file("absent.asc") : dir.file("bad.asc", r.data)};
        std::ostringstream err;
        EXPECT_EQ(runHeadless(o, err), 1) << r.what;
        EXPECT_NE(err.str().find(r.message), std::string::npos) << r.what << ": " << err.str();
        fs::remove(dir.path / "bad.asc");
    }
    // A failed run leaves no half-written table behind.
    EXPECT_FALSE(fs::exists(dir.path / "t.csv"));
    EXPECT_FALSE(fs::exists(dir.path / "t.csv.tmp"));
}

TEST(Headless, NumberFormatting) {
    struct Row {
        double value;
        const char* point;
        const char* comma;
    } rows[] = {
        {300, "300", "300"},
        {0.82533333333, "0.8253333", "0,8253333"},
        {-3124.4444, "-3124.444", "-3124,444"},
        {1.99757711e15, "1.997577e+15", "1,997577e+15"},
        {1.5e-5, "1.5e-05", "1,5e-05"},
        {1234567.89, "1234568", "1234568"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(formatNumber(r.value, CsvStyle::CommaPoint), r.point);
        EXPECT_EQ(formatNumber(r.value, CsvStyle::SemicolonComma), r.comma);
    }
    EXPECT_EQ(formatNumber(std::nullopt, CsvStyle::CommaPoint), "");
}
