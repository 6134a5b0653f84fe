// The analysis command without a window: its options, its files and its failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "CoreSupport.h"
#include "app/analysis/HeadlessRun.h"

using namespace eh::analysis;
namespace fs = std::filesystem;

namespace {

using eh::test::entries;
using eh::test::slurp;
using eh::test::TempDir;

// `name` in `dir`, written with `content` when there is any.
std::string file(const TempDir& dir, const std::string& name, const std::string& content = {}) {
    const fs::path p = dir.path / name;
    if (!content.empty()) eh::test::spit(p, content);
    return p.string();
}

// The worked record of sample 1 at 300 K, a line that must be rejected and a record
// without current.
const char* const kData = "1,300,9000,10,1.238,0.2812,-0.2812\r\n"
                          "2,310,9000,10,1.3,0.28,\r\n"
                          "3,320,9000,0,1.3,0.28,-0.28\r\n";

} // namespace

TEST(AnalysisOptions, CommandLine) {
    struct Row {
        std::vector<std::string> args;
        bool ok;
    } rows[] = {
        {{"--tabla", "t.csv"}, false},                   // no data file
        {{"--tabla", "t.csv", "a.asc", "b.asc"}, false}, // one file without a window
        {{"a.asc", "b.asc"}, true},                      // the window takes several
        {{"--rango-gap", "800:500", "--ajustes", "a", "d"}, false},
        {{"--rango-gap", "500", "--ajustes", "a", "d"}, false},
        {{"--rango-gap", "-5:800", "--ajustes", "a", "d"}, false},
        {{"--temperatura-campo", "0", "--ajustes", "a", "d"}, false},
        {{"--formato", "fr", "--ajustes", "a", "d"}, false},
        {{"--muestra", "0", "--ajustes", "a", "d"}, false},
        {{"--muestra", "3", "--ajustes", "a", "d"}, false},
        {{"--muestra", "01", "--ajustes", "a", "d"}, false},
        {{"--muestra", "2.0", "--ajustes", "a", "d"}, false},
        {{"--muestra", "1", "--ajustes", "a", "d"}, true},
        {{"--desconocida", "1", "d"}, false},
    };
    for (const Row& r : rows) {
        std::string error;
        EXPECT_EQ(parseAnalysisOptions(r.args, error).has_value(), r.ok) << r.args[0] << " " << error;
    }
    std::string error;
    const auto o =
        parseAnalysisOptions({"--rango-gap", "450:700", "--rango-movilidad", "120:120", "--muestra", "2",
                              "--temperatura-campo", "310", "--formato", "es", "--tabla", "t", "d"},
                             error);
    ASSERT_TRUE(o) << error; // a range may be one temperature
    EXPECT_EQ(std::tuple(o->fits.gap.minK, o->fits.gap.maxK, o->fits.mobility.minK, o->fits.mobility.maxK),
              std::tuple(450.0, 700.0, 120.0, 120.0));
    EXPECT_EQ(o->fits.fieldTemperatureK, 310);
    EXPECT_EQ(o->sample, 2);
    EXPECT_EQ(o->style, CsvStyle::SemicolonComma);
    EXPECT_EQ(o->tableFile, "t");
    EXPECT_EQ(o->dataFiles, std::vector<std::string>{"d"});
    EXPECT_FALSE(o->fits.weighted || o->fits.includeWarned); // ordinary least squares, warned records out
    // The two switches take no value: what follows them is read as before.
    const auto flags = parseAnalysisOptions({"--ponderado", "--tabla", "t", "--incluir-avisos", "d"}, error);
    ASSERT_TRUE(flags) << error;
    EXPECT_TRUE(flags->fits.weighted && flags->fits.includeWarned);
    EXPECT_EQ(flags->tableFile, "t");
    EXPECT_EQ(flags->dataFiles, std::vector<std::string>{"d"});
}

// The column names, their order and the number formats are what scripts and
// spreadsheets read.
TEST(Headless, WritesTableAndFitsInBothConventions) {
    TempDir dir;
    const std::string data = file(dir, "datos.asc", kData);
    for (CsvStyle style : {CsvStyle::CommaPoint, CsvStyle::SemicolonComma}) {
        AnalysisOptions o;
        o.style = style;
        o.tableFile = file(dir, "t.csv");
        o.fitsFile = file(dir, "a.csv");
        o.dataFiles = {data};
        std::ostringstream err;
        ASSERT_EQ(runHeadless(o, err), 0) << err.str();
        // The rejected line is listed on standard error with its number.
        EXPECT_NE(err.str().find("línea 2:"), std::string::npos) << err.str();

        // No current: resistivity, Hall coefficient and everything after are empty.
        // Too few points for every fit: empty value, the count and the range, and why.
        // The uncertainties of record 1 are worked in tests/analysis/ResultsTest.cpp.
        std::string table =
            "registro,T_K,B_G,I_mA,Vr_V,Vmenos_V,Vmas_V,VH_V,rho_ohm_cm,sigma_S_cm,"
            "RH_cm3_C,tipo,densidad_cm3,muH_cm2_Vs,aviso,u_rho_ohm_cm,u_RH_cm3_C,u_muH_cm2_Vs\n"
            "1,300,9000,10,1.238,0.2812,-0.2812,-0.2812,0.8253333,1.211632,-3124.444,n,"
            "1.997638e+15,3785.676,,2.390292e-05,0.807109,0.9718336\n"
            "3,320,9000,0,1.3,0.28,-0.28,-0.28,,,,,,,,,,\n";
        std::string fits =
            "ajuste,valor,incertidumbre,unidad,puntos,T_min,T_max,R2,chi2_reducido,ordenada_V,"
            "u_ordenada_V,aviso\n"
            "gap_sigma,,,eV,0,500,800,,,,,@0 puntos entre 500 y 800 K; hacen falta al menos 3@\n"
            "gap_hall,,,eV,0,500,800,,,,,@0 puntos entre 500 y 800 K; hacen falta al menos 3@\n"
            "exponente_movilidad,,,,1,100,300,,,,,@1 punto entre 100 y 300 K; hacen falta al menos 3@\n"
            "RH_campo,,,cm3/C,1,299,301,,,,,@1 punto entre 299 y 301 K; hacen falta al menos 3@\n"
            "gap_diferencia,,,eV,,500,800,,,,,falta el resultado de gap_sigma o de gap_hall\n";
        if (style == CsvStyle::SemicolonComma)
            for (std::string* s : {&table, &fits})
                for (char& c : *s) c = c == ',' ? ';' : c == '.' ? ',' : c;
        // A reason holding the separator is quoted: only ';' is one here.
        for (char& c : fits)
            if (c == '@') c = style == CsvStyle::SemicolonComma ? '"' : '\x01';
        std::erase(fits, '\x01');
        EXPECT_EQ(slurp(o.tableFile), table);
        EXPECT_EQ(slurp(o.fitsFile), fits);
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
        {"missing file", "", file(dir, "t.csv"), "no se puede leer"},
        {"no accepted record", "a,b,c\n1,2\n", file(dir, "t.csv"), "ningún registro aceptado"},
        {"unwritable output", kData, (dir.path / "no-such-folder" / "t.csv").string(),
         "no se puede escribir"},
    };
    for (const Row& r : rows) {
        AnalysisOptions o;
        o.tableFile = r.table;
        o.dataFiles = {r.data.empty() ? file(dir, "absent.asc") : file(dir, "bad.asc", r.data)};
        std::ostringstream err;
        EXPECT_EQ(runHeadless(o, err), 1) << r.what;
        EXPECT_NE(err.str().find(r.message), std::string::npos) << r.what << ": " << err.str();
        fs::remove(dir.path / "bad.asc");
    }
    // A failed run leaves no half-written table behind.
    EXPECT_FALSE(fs::exists(dir.path / "t.csv"));
    EXPECT_FALSE(fs::exists(dir.path / "t.csv.tmp"));
}

// The bad sample is refused with the samples there are.
TEST(AnalysisOptions, SampleMessage) {
    std::string error;
    EXPECT_FALSE(parseAnalysisOptions({"--muestra", "3", "--ajustes", "a", "d"}, error));
    EXPECT_EQ(error, "la muestra debe ser 1 o 2");
}

// The outputs are written as the bench writes its data file: through a symbolic
// link into its target, beside a user's own file called like a temporary one, under
// the longest name a folder takes, and nothing else is left in the folder.
TEST(Headless, OutputsKeepWhatStandsAtTheirPaths) {
    TempDir dir;
    const std::string data = file(dir, "datos.asc", kData);
    const std::string target = file(dir, "destino.csv", "viejo\n");
    fs::create_symlink("destino.csv", dir.path / "enlace.csv");
    const std::string mine = file(dir, "t.csv.tmp", "del estudiante\n");
    const std::string longName = std::string(251, 'a') + ".csv"; // 255 bytes
    AnalysisOptions o;
    o.tableFile = (dir.path / "enlace.csv").string();
    o.fitsFile = file(dir, "t.csv");
    o.dataFiles = {data};
    std::ostringstream err;
    ASSERT_EQ(runHeadless(o, err), 0) << err.str();
    o.tableFile = file(dir, longName);
    o.fitsFile.clear();
    ASSERT_EQ(runHeadless(o, err), 0) << err.str();

    EXPECT_TRUE(fs::is_symlink(dir.path / "enlace.csv"));
    EXPECT_EQ(slurp(target).substr(0, 9), "registro,");
    EXPECT_EQ(slurp(target), slurp(dir.path / longName));
    EXPECT_EQ(slurp((dir.path / "t.csv").string()).substr(0, 7), "ajuste,");
    EXPECT_EQ(slurp(mine), "del estudiante\n");
    EXPECT_EQ(entries(dir.path), (std::vector<std::string>{longName, "datos.asc", "destino.csv", "enlace.csv",
                                                           "t.csv", "t.csv.tmp"}));
}

// A table that cannot be written says where and why, in Spanish.
TEST(Headless, UnwritableOutputGivesTheReason) {
    TempDir dir;
    AnalysisOptions o;
    o.tableFile = (dir.path / "no-such-folder" / "t.csv").string();
    o.dataFiles = {file(dir, "datos.asc", kData)};
    std::ostringstream err;
    EXPECT_EQ(runHeadless(o, err), 1);
    EXPECT_NE(err.str().find("tarvelo-analisis: no se puede escribir " + o.tableFile +
                             ": no existe la carpeta o el fichero\n"),
              std::string::npos)
        << err.str();
}

namespace {

// Stands in for the drawing program: a report of a few bytes, or a failure.
ReportMaker reportOf(bool works) {
    return [works](const Analysis&, std::string& bytes, std::string& error) {
        if (!works) {
            error = "no se ha podido componer el informe";
            return false;
        }
        bytes = "%PDF-1.4 informe\n";
        return true;
    };
}

const char* const kOptions[] = {"--tabla", "--ajustes", "--informe"};

void setOutput(AnalysisOptions& o, const std::string& option, const std::string& path) {
    (option == "--tabla" ? o.tableFile : option == "--ajustes" ? o.fitsFile : o.reportFile) = path;
}

} // namespace

// No output option may name the data file, by any spelling: the measurements stay
// byte for byte, nothing else appears, and the user is told why.
TEST(Headless, OutputThatIsTheDataIsRefused) {
    TempDir dir;
    fs::create_directory(dir.path / "x");
    const std::string data = (dir.path / "x" / "d.asc").string();
    std::ofstream(data, std::ios::binary) << kData;
    fs::create_hard_link(data, dir.path / "duro.asc");
    fs::create_symlink("x/d.asc", dir.path / "enlace.asc");
    const std::string spellings[] = {data, (dir.path / "x" / ".." / "x" / "d.asc").string(),
                                     (dir.path / "duro.asc").string(), (dir.path / "enlace.asc").string()};
    for (const char* option : kOptions)
        for (const std::string& spelling : spellings) {
            AnalysisOptions o;
            setOutput(o, option, spelling);
            o.dataFiles = {data};
            std::ostringstream err;
            EXPECT_EQ(runHeadless(o, err, reportOf(true)), 2) << option << ' ' << spelling;
            EXPECT_EQ(err.str(), "tarvelo-analisis: " + std::string(option) + " " + spelling +
                                     " es el propio fichero de datos " + data + ": no se escribe nada\n");
        }
    EXPECT_EQ(slurp(data), kData);
    EXPECT_TRUE(fs::is_symlink(dir.path / "enlace.asc"));
    EXPECT_EQ(fs::hard_link_count(data), 2u);
    EXPECT_EQ(entries(dir.path), (std::vector<std::string>{"duro.asc", "enlace.asc", "x"}));
}

// Two outputs naming one file would leave only the last: refused before anything is
// written, whether the file exists or not.
TEST(Headless, TwoOutputsOfOneFileAreRefused) {
    TempDir dir;
    const std::string data = file(dir, "datos.asc", kData);
    const std::string existing = file(dir, "viejo.csv", "viejo\n");
    fs::create_symlink("viejo.csv", dir.path / "enlace.csv");
    const std::pair<std::string, std::string> spellings[] = {
        {(dir.path / "t.csv").string(), (dir.path / "t.csv").string()},
        {(dir.path / "t.csv").string(), (dir.path / "." / "t.csv").string()},
        {existing, (dir.path / "enlace.csv").string()},
    };
    for (std::size_t first = 0; first < 3; ++first)
        for (std::size_t second = first + 1; second < 3; ++second)
            for (const auto& [a, b] : spellings) {
                AnalysisOptions o;
                setOutput(o, kOptions[first], a);
                setOutput(o, kOptions[second], b);
                o.dataFiles = {data};
                std::ostringstream err;
                EXPECT_EQ(runHeadless(o, err, reportOf(true)), 2)
                    << kOptions[first] << ' ' << kOptions[second];
                EXPECT_EQ(err.str(), "tarvelo-analisis: " + std::string(kOptions[first]) + " " + a + " y " +
                                         kOptions[second] + " " + b +
                                         " son el mismo fichero: no se escribe nada\n");
            }
    EXPECT_EQ(slurp(existing), "viejo\n");
    EXPECT_EQ(entries(dir.path), (std::vector<std::string>{"datos.asc", "enlace.csv", "viejo.csv"}));
}

// Every output is made before the first is written: a report that cannot be made
// leaves no table and no fits behind, and one that can is written with them.
TEST(Headless, NothingIsWrittenWhenAnOutputCannotBeMade) {
    for (bool works : {false, true}) {
        TempDir dir;
        AnalysisOptions o;
        o.dataFiles = {file(dir, "datos.asc", kData)};
        o.tableFile = (dir.path / "t.csv").string();
        o.fitsFile = (dir.path / "a.csv").string();
        o.reportFile = (dir.path / "i.pdf").string();
        std::ostringstream err;
        EXPECT_EQ(runHeadless(o, err, reportOf(works)), works ? 0 : 1);
        if (works) {
            EXPECT_EQ(entries(dir.path), (std::vector<std::string>{"a.csv", "datos.asc", "i.pdf", "t.csv"}));
            EXPECT_EQ(slurp(o.reportFile), "%PDF-1.4 informe\n");
        } else {
            EXPECT_EQ(entries(dir.path), std::vector<std::string>{"datos.asc"});
            EXPECT_NE(err.str().find("tarvelo-analisis: no se ha podido componer el informe\n"),
                      std::string::npos)
                << err.str();
        }
        // A program that cannot draw refuses the report, and so writes nothing either.
        fs::remove(o.tableFile), fs::remove(o.fitsFile), fs::remove(o.reportFile);
        std::ostringstream err2;
        EXPECT_EQ(runHeadless(o, err2), 1);
        EXPECT_EQ(entries(dir.path), std::vector<std::string>{"datos.asc"});
    }
}

// An empty name for an output is refused, not taken as no output (which would open
// the window).
TEST(AnalysisOptions, EmptyOutputNameIsRefused) {
    for (const char* option : kOptions) {
        std::string error;
        EXPECT_FALSE(parseAnalysisOptions({option, "", "d.asc"}, error)) << option;
        EXPECT_EQ(error, "falta el nombre del fichero de " + std::string(option));
    }
}
