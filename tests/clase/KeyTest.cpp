// The answer key: what a fresh sweep and analysis of each code gives, what the
// physics of the bar requires, and the key file read back after editing.
#include <gtest/gtest.h>

#include <cmath>

#include "ClassOf30.h"
#include "CoreSupport.h"
#include "analysis/Analysis.h"
#include "analysis/Constants.h"
#include "clase/ClassCodes.h"
#include "clase/KeyFile.h"
#include "clase/KeyMeasurement.h"
#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepRunner.h"

using namespace eh;
using namespace eh::clase;

namespace {

// A sweep as the sweep program makes it: saved to a file and read back.
analysis::Analysis sweptFile(const SampleCode& code, double from, double to, double step) {
    eh::test::TempDir dir;
    const std::string path = (dir.path / "barrido.asc").string();
    sweep::SweepPlan plan;
    plan.sample = SampleCatalogue::kUnknownRow;
    plan.sampleCode = code.text();
    plan.fromK = from;
    plan.toK = to;
    plan.stepK = step;
    plan.outputFile = path;
    std::string error;
    sweep::FileAnsweringHost host(path);
    BenchModel bench(host);
    sweep::SweepRunner(bench, plan).run(sweep::sweepTargets(plan, error));
    analysis::Analysis a;
    a.path = path;
    EXPECT_TRUE(analysis::readDataFile(path, a.data, error)) << error;
    a.sampleCode = code.text();
    a.sample = analysis::guessSample(a.data.records);
    analysis::analyse(a, analysis::FitSettings{});
    return a;
}

double result(const Results& r, Result q) {
    const auto& v = r[static_cast<std::size_t>(q)];
    EXPECT_TRUE(v.has_value()) << kResultNames[static_cast<std::size_t>(q)];
    return v.value_or(NAN);
}

std::vector<KeyRow> classKey() {
    const std::vector<Student> students = eh::test::classOf30();
    const std::vector<SampleCode> codes = classCodes(students, eh::test::kClassOf30Seed);
    std::vector<KeyRow> key;
    for (std::size_t i = 0; i < codes.size(); ++i)
        key.push_back({0, students[i].name, students[i].group, codes[i], deriveUnknownSample(codes[i]),
                       measureResults(codes[i])});
    return key;
}

} // namespace

TEST(AnswerKey, AgreesWithAFreshSweepOfEachCode) {
    for (const KeyRow& k : classKey()) {
        SCOPED_TRACE(k.code.text());
        const analysis::Analysis a = sweptFile(k.code, 50, 760, 10);
        const auto& recs = a.data.records;
        ASSERT_EQ(recs.size(), 72u);
        const std::size_t at300 = 25; // 50 + 25 * 10
        ASSERT_NEAR(recs[at300].temperatureK, 300, 1);
        const analysis::Derived& d = a.derived[at300];
        EXPECT_NEAR(result(k.results, Result::Rho300), *d.rhoOhmCm, 1e-6 * *d.rhoOhmCm);
        EXPECT_NEAR(result(k.results, Result::Hall300), *d.hallCm3C, 1e-6 * std::fabs(*d.hallCm3C));
        for (const analysis::FitResult& f : a.fits) {
            const Result q = f.kind == analysis::FitKind::GapSigma           ? Result::GapSigma
                             : f.kind == analysis::FitKind::GapHall          ? Result::GapHall
                             : f.kind == analysis::FitKind::MobilityExponent ? Result::Exponent
                                                                             : Result::TInversion;
            if (q == Result::TInversion) continue; // the field fit is no result of the key
            ASSERT_TRUE(f.value) << f.note;
            EXPECT_NEAR(result(k.results, q), *f.value, 1e-9);
        }

        // The extrinsic plateau at 300 K: one carrier per dopant, of the dopant's sign.
        const bool pType = k.sample.Tipo == "P";
        EXPECT_NEAR(result(k.results, Result::Density300) / k.sample.dopingCm3, 1, 0.01);
        EXPECT_EQ(result(k.results, Result::Hall300) > 0, pType);
        EXPECT_NEAR(std::fabs(result(k.results, Result::Hall300)) * analysis::kElementaryCharge *
                        result(k.results, Result::Density300),
                    1, 1e-6);

        // The resistivity maximum: at the key's temperature a fresh sweep by 1 K finds
        // within 0.2 % of the largest resistivity around it (4 K off the maximum is
        // 0.3 % down; the model's change of ionisation formula near the maximum can put
        // one record 0.05 % above the smooth curve).
        const double tMax = result(k.results, Result::TRhoMax);
        const analysis::Analysis fine = sweptFile(k.code, std::round(tMax) - 8, std::round(tMax) + 8, 1);
        double largest = 0, atKey = 0, nearest = 1e9;
        for (std::size_t i = 0; i < fine.derived.size(); ++i) {
            largest = std::max(largest, *fine.derived[i].rhoOhmCm);
            const double distance = std::fabs(fine.data.records[i].temperatureK - tMax);
            if (distance < nearest) {
                nearest = distance;
                atKey = *fine.derived[i].rhoOhmCm;
            }
        }
        EXPECT_GT(atKey, 0.998 * largest);
        EXPECT_LT(nearest, 1);

        // The sign change of R_H: positive half a kelvin below, negative above, and
        // only for a p-type bar, on the intrinsic side of the maximum.
        const auto& inversion = k.results[static_cast<std::size_t>(Result::TInversion)];
        ASSERT_EQ(inversion.has_value(), pType);
        if (!pType) continue;
        EXPECT_GT(*inversion, tMax);
        const analysis::Analysis around =
            sweptFile(k.code, std::round(*inversion) - 3, std::round(*inversion) + 3, 0.5);
        for (std::size_t i = 0; i < around.derived.size(); ++i) {
            const double t = around.data.records[i].temperatureK;
            if (std::fabs(t - *inversion) < 0.6) continue;
            EXPECT_EQ(*around.derived[i].hallCm3C > 0, t < *inversion) << t;
        }
    }
}

TEST(AnswerKey, FileReadBackInBothConventions) {
    const std::vector<KeyRow> key = classKey();
    for (CsvStyle style : {CsvStyle::CommaPoint, CsvStyle::SemicolonComma}) {
        const std::string text = keyCsv(key, style);
        EXPECT_EQ(
            text.substr(0, text.find('\n')),
            style == CsvStyle::CommaPoint
                ? "alumno,grupo,codigo,tipo,dopado_cm3,impureza,E_impureza_meV,L_cm,a_cm,d_cm,rho_300_ohm_cm,"
                  "RH_300_cm3_C,densidad_300_cm3,muH_300_cm2_Vs,gap_sigma_eV,gap_hall_eV,exponente_movilidad,"
                  "T_rho_max_K,T_inversion_K"
                : "alumno;grupo;codigo;tipo;dopado_cm3;impureza;E_impureza_meV;L_cm;a_cm;d_cm;rho_300_ohm_cm;"
                  "RH_300_cm3_C;densidad_300_cm3;muH_300_cm2_Vs;gap_sigma_eV;gap_hall_eV;exponente_movilidad;"
                  "T_rho_max_K;T_inversion_K");
        std::vector<KeyRow> read;
        std::vector<std::string> errors;
        ASSERT_TRUE(parseKey(text, read, errors)) << errors.front();
        ASSERT_EQ(read.size(), key.size());
        for (std::size_t i = 0; i < key.size(); ++i) {
            EXPECT_EQ(read[i].student, key[i].student);
            EXPECT_EQ(read[i].code, key[i].code);
            for (std::size_t q = 0; q < kResultCount; ++q) {
                ASSERT_EQ(read[i].results[q].has_value(), key[i].results[q].has_value());
                if (key[i].results[q]) { // seven significant digits
                    EXPECT_NEAR(*read[i].results[q], *key[i].results[q],
                                5e-7 * std::fabs(*key[i].results[q]));
                }
            }
        }
    }
}

TEST(AnswerKey, HandEditsAreRefusedWithTheirLine) {
    const std::vector<KeyRow> key = classKey();
    const std::string text = keyCsv({key[0], key[1]}, CsvStyle::CommaPoint);
    const std::string header = text.substr(0, text.find('\n') + 1);
    const std::string row1 = text.substr(header.size(), text.find('\n', header.size()) + 1 - header.size());
    const std::string row2 = text.substr(header.size() + row1.size());
    const auto replaced = [](std::string s, const std::string& from, const std::string& to) {
        return s.replace(s.find(from), from.size(), to);
    };
    // The first student's bar is p-type, Al-doped, 0.807 cm long, 0.0155 cm thick.
    ASSERT_NE(row1.find(",p,4.69e+15,Al,10.2,0.807,0.183,0.0155,"), std::string::npos) << row1;
    struct Row {
        std::string text;
        std::string error; // empty: accepted
    } rows[] = {
        {text, ""},
        // Spellings a spreadsheet may choose for the same numbers.
        {header + replaced(row1, ",4.69e+15,", ",4690000000000000,") + row2, ""},
        {header + replaced(row1, ",0.807,", ",0.8070,") + row2, ""},
        // Blank lines and padding separators.
        {header + "\n" + row1 + "\n" + replaced(row2, "\n", ",,\n"), ""},
        // Edits of what the code names.
        {header + replaced(row1, ",0.807,", ",0.808,") + row2,
         "línea 2: L_cm es «0.808», pero el código X9GP-ZD7G da «0.807»"},
        {header + replaced(row1, ",p,", ",n,") + row2,
         "línea 2: tipo es «n», pero el código X9GP-ZD7G da «p»"},
        {header + row1 + replaced(row2, ",Al,", ",Ga,") + "", "línea 3: impureza es «Ga»"},
        // Results that are no number, a code mistyped or given twice.
        {header +
             replaced(row1, ",p,4.69e+15,Al,10.2,0.807,0.183,0.0155,0.",
                      ",p,4.69e+15,Al,10.2,0.807,0.183,0.0155,x") +
             row2,
         "línea 2: rho_300_ohm_cm «x"},
        {header + replaced(row1, "X9GP-ZD7G", "X9GP-ZD7H") + row2,
         "línea 2: El código X9GP-ZD7H no es válido"},
        {header + replaced(row1, "X9GP-ZD7G", "X9PG-ZD7G") + row2,
         "línea 2: El código X9PG-ZD7G no es válido"},
        {header + row1 + row1, "línea 3: el código X9GP-ZD7G ya figura en otra línea"},
        // Columns that are not a key's, or no code column at all.
        {replaced(header, "alumno", "estudiante") + row1,
         "línea 1: la columna «estudiante» no es de una clave"},
        {"alumno,grupo\nAna,L1\n", "línea 1: falta la columna «codigo»"},
        {header, "la clave no tiene ninguna fila"},
        {header + replaced(row1, "\n", ",9\n"), "línea 2: tiene 20 columnas y la cabecera (línea 1) 19"},
    };
    for (const Row& r : rows) {
        std::vector<KeyRow> read;
        std::vector<std::string> errors;
        SCOPED_TRACE(r.text);
        EXPECT_EQ(parseKey(r.text, read, errors), r.error.empty());
        if (r.error.empty()) {
            EXPECT_EQ(read.size(), 2u);
            continue;
        }
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors[0].substr(0, r.error.size()), r.error);
    }
}
