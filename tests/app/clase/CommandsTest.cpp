// The three commands as the teacher runs them: files in a private folder, what is
// written and what is refused, and the messages.
#include <gtest/gtest.h>

#include <sstream>

#include "CoreSupport.h"
#include "analysis/CsvOutput.h"
#include "app/clase/ClaseCommands.h"
#include "clase/CsvText.h"
#include "clase/KeyMeasurement.h"
#include "model/SampleCode.h"

using namespace eh;
using namespace eh::clase;
namespace fs = std::filesystem;

namespace {

using eh::test::entries;
using eh::test::slurp;
using eh::test::spit;
using eh::test::TempDir;

struct Outcome {
    int status = 0;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args, const SlipsMaker& slips = {}) {
    std::string error;
    const auto options = parseClaseOptions(args, error);
    EXPECT_TRUE(options) << error;
    if (!options) return {-1, {}, error};
    std::ostringstream out, err;
    Outcome r;
    r.status = runClase(*options, out, err, slips);
    r.out = out.str();
    r.err = err.str();
    return r;
}

std::string in(const TempDir& d, const std::string& name) {
    return (d.path / name).string();
}

const char* const kList = "nombre;grupo\nAna Belén Núñez;L1\nÍñigo Ortiz;L1\nZoe Wang;L2\n";

// A sweep of a code's sample saved as the bench saves it, in either convention.
std::string sweepFile(const std::string& code, CsvStyle style) {
    std::string error;
    std::string text;
    int n = 0;
    for (const analysis::Record& r : sweepRecords(*SampleCode::parse(code, error), 50, 760, 10)) {
        std::vector<std::string> cells{std::to_string(++n)};
        for (double v : {r.temperatureK, r.fieldG, r.currentMa, r.vrV, r.vMinusV, r.vPlusV})
            cells.push_back(analysis::formatNumber(v, style));
        text += joinCells(cells, style);
    }
    return text;
}

} // namespace

TEST(ClaseOptions, CommandLines) {
    struct Row {
        std::vector<std::string> args;
        std::string error; // empty: accepted
    } rows[] = {
        {{"crear", "--alumnos", "l", "--clave", "k"}, ""},
        {{"crear", "--alumnos", "l", "--clave", "k", "--semilla", "18446744073709551615", "--formato", "es",
          "--fichas", "f.pdf", "--sobrescribir"},
         ""},
        {{"crear", "--alumnos", "l"}, "falta --clave"},
        {{"crear", "--clave", "k"}, "falta --alumnos"},
        {{"crear", "--alumnos", "l", "--clave", "k", "--semilla", "-1"}, "la semilla debe ser"},
        {{"crear", "--alumnos", "l", "--clave", "k", "--semilla", "18446744073709551616"},
         "la semilla debe ser"},
        {{"crear", "--alumnos", "l", "--clave", "k", "--formato", "en"}, "el único formato es «es»"},
        {{"crear", "--alumnos", "l", "--clave", "k", "extra"}, "sobra «extra»"},
        {{"crear", "--alumnos", "l", "--clave"}, "falta el valor de --clave"},
        {{"comprobar", "--codigo", "X9GP-ZD7G", "d.asc"}, ""},
        {{"comprobar", "d.asc"}, "falta --codigo"},
        {{"comprobar", "--codigo", "X9GP-ZD7G"}, "falta el fichero de datos"},
        {{"comprobar", "--codigo", "X9GP-ZD7G", "a.asc", "b.asc"}, "sobra «b.asc»"},
        {{"comprobar", "--codigo", "X9GP-ZD7G", "--formato", "es", "d.asc"},
         "la orden comprobar no tiene la opción --formato"},
        {{"corregir", "--clave", "k", "r.csv", "-o", "n.csv", "--tolerancias", "t.csv", "--formato", "es"},
         ""},
        {{"corregir", "--clave", "k", "r.csv"}, "falta -o notas.csv"},
        {{"corregir", "--clave", "k", "-o", "n.csv"}, "falta el fichero de respuestas"},
        {{"corregir", "--clave", "k", "r.csv", "-o", "n.csv", "--semilla", "1"},
         "la orden corregir no tiene la opción --semilla"},
        {{"corregir", "--clave", "k", "r.csv", "-o", "n.csv", "--sobrescribir"},
         "la orden corregir no tiene la opción --sobrescribir"},
        {{"borrar"}, "«borrar» no es una orden: crear, comprobar o corregir"},
        {{}, "falta la orden: crear, comprobar o corregir"},
    };
    for (const Row& r : rows) {
        std::string error;
        const auto o = parseClaseOptions(r.args, error);
        EXPECT_EQ(o.has_value(), r.error.empty()) << (r.args.empty() ? "" : r.args.back());
        if (!r.error.empty()) {
            EXPECT_EQ(error.substr(0, r.error.size()), r.error);
        }
    }
}

TEST(ClaseCreate, SameListAndSeedSameKeyAndSlipsInListOrder) {
    TempDir d;
    spit(d.path / "lista.csv", kList);
    std::vector<std::string> slipNames;
    const SlipsMaker slips = [&slipNames](const std::vector<KeyRow>& rows, std::string& bytes, std::string&) {
        for (const KeyRow& r : rows) slipNames.push_back(r.student + "/" + r.group + "/" + r.code.text());
        bytes = "%PDF-fichas";
        return true;
    };
    const Outcome first = run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave.csv"),
                               "--semilla", "2026", "--fichas", in(d, "fichas.pdf")},
                              slips);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out,
              "3 alumnos, semilla 2026 (con --semilla 2026 la misma lista da los mismos códigos)\n");
    EXPECT_EQ(slipNames, (std::vector<std::string>{"Ana Belén Núñez/L1/X9GP-ZD7G", "Íñigo Ortiz/L1/2PVY-2ZTX",
                                                   "Zoe Wang/L2/PDZ7-59SA"}));
    EXPECT_EQ(slurp(d.path / "fichas.pdf"), "%PDF-fichas");
    const std::string key = slurp(d.path / "clave.csv");
    const std::string firstRow = "Ana Belén Núñez,L1,X9GP-ZD7G,p,4.69e+15,Al,10.2,0.807,0.183,0.0155,";
    EXPECT_EQ(key.substr(key.find('\n') + 1, firstRow.size()), firstRow);

    // Outcome again: the key is not replaced without --sobrescribir; with it, the same bytes.
    const Outcome again =
        run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave.csv"), "--semilla", "2026"});
    EXPECT_EQ(again.status, 2);
    EXPECT_EQ(again.err, "tarvelo-clase: " + in(d, "clave.csv") +
                             " ya existe: no se toca (use --sobrescribir para reemplazarlo)\n");
    const Outcome replaced = run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave.csv"),
                                  "--semilla", "2026", "--sobrescribir"});
    EXPECT_EQ(replaced.status, 0);
    EXPECT_EQ(slurp(d.path / "clave.csv"), key);

    // In a Spanish spreadsheet's convention.
    const Outcome es = run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave-es.csv"),
                            "--semilla", "2026", "--formato", "es"});
    EXPECT_EQ(es.status, 0);
    const std::string keyEs = slurp(d.path / "clave-es.csv");
    const std::string firstRowEs = "Ana Belén Núñez;L1;X9GP-ZD7G;p;4,69e+15;Al;10,2;0,807;0,183;0,0155;";
    EXPECT_EQ(keyEs.substr(keyEs.find('\n') + 1, firstRowEs.size()), firstRowEs);
}

TEST(ClaseCreate, NothingWrittenOnABadListOrAnOutputThatIsAnInput) {
    TempDir d;
    spit(d.path / "lista.csv", "Ana;L1\n\nBea;L1\nAna;L1\n");
    const Outcome bad =
        run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave.csv"), "--semilla", "1"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, in(d, "lista.csv") + ": línea 2: vacía, se salta\n" + in(d, "lista.csv") +
                           ": línea 4: «Ana» (L1) ya figura en la línea 1\n"
                           "tarvelo-clase: la lista tiene errores: no se escribe nada\n");
    EXPECT_EQ(entries(d.path), std::vector<std::string>{"lista.csv"});

    spit(d.path / "lista.csv", kList);
    const Outcome same = run({"crear", "--alumnos", in(d, "lista.csv"), "--clave",
                              d.path.string() + "/./lista.csv", "--sobrescribir"});
    EXPECT_EQ(same.status, 2);
    EXPECT_NE(same.err.find("es el fichero de --alumnos"), std::string::npos) << same.err;
    EXPECT_EQ(slurp(d.path / "lista.csv"), kList);
    const Outcome both =
        run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "x"), "--fichas", in(d, "x")},
            [](const std::vector<KeyRow>&, std::string&, std::string&) { return true; });
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("son el mismo fichero"), std::string::npos) << both.err;

    // Slips that cannot be drawn leave no key behind either.
    const Outcome noSlips = run(
        {"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave.csv"), "--fichas", in(d, "f.pdf")},
        [](const std::vector<KeyRow>&, std::string&, std::string& e) {
            e = "sin tipos de letra";
            return false;
        });
    EXPECT_EQ(noSlips.status, 1);
    EXPECT_EQ(noSlips.err, "tarvelo-clase: sin tipos de letra\n");
    EXPECT_EQ(entries(d.path), std::vector<std::string>{"lista.csv"});
}

TEST(ClaseCheck, VerdictStatusAndBothConventions) {
    TempDir d;
    spit(d.path / "propio.asc", sweepFile("X9GP-ZD7G", CsvStyle::CommaPoint));
    spit(d.path / "propio-es.csv", sweepFile("X9GP-ZD7G", CsvStyle::SemicolonComma));
    for (const char* name : {"propio.asc", "propio-es.csv"}) {
        const Outcome own = run({"comprobar", "--codigo", "x9gp-zd7g", in(d, name)});
        EXPECT_EQ(own.status, 0) << own.out << own.err;
        EXPECT_EQ(own.out, in(d, name) +
                               ": 72 de 72 registros coinciden con la muestra X9GP-ZD7G\n"
                               "el fichero es coherente con la muestra X9GP-ZD7G: se midió en ella\n");
    }
    const Outcome other = run({"comprobar", "--codigo", "2PVY-2ZTX", in(d, "propio.asc")});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.out.find("\nel fichero NO se midió en la muestra 2PVY-2ZTX\n"), std::string::npos);

    // One Hall reading edited: the line, the reading and the verdict.
    std::string text = sweepFile("X9GP-ZD7G", CsvStyle::CommaPoint);
    const std::size_t line26 = [&text] {
        std::size_t at = 0;
        for (int i = 0; i < 25; ++i) at = text.find('\n', at) + 1;
        return at;
    }();
    const std::size_t lastComma = text.rfind(',', text.find('\n', line26));
    const double vPlus = std::stod(text.substr(lastComma + 1));
    text.replace(lastComma + 1, text.find('\n', line26) - lastComma - 1,
                 analysis::formatNumber(vPlus * 1.02, CsvStyle::CommaPoint));
    spit(d.path / "editado.asc", text);
    const Outcome edited = run({"comprobar", "--codigo", "X9GP-ZD7G", in(d, "editado.asc")});
    EXPECT_EQ(edited.status, 1);
    EXPECT_NE(edited.out.find(": 71 de 72 registros coinciden"), std::string::npos) << edited.out;
    EXPECT_NE(edited.out.find(": línea 26: VH+ = "), std::string::npos) << edited.out;
    EXPECT_NE(
        edited.out.find("el fichero se midió en la muestra X9GP-ZD7G, pero 1 registro tiene lecturas que la "
                        "muestra no da"),
        std::string::npos);

    const Outcome badCode = run({"comprobar", "--codigo", "X9GP-ZD7H", in(d, "propio.asc")});
    EXPECT_EQ(badCode.status, 2);
    const Outcome missing = run({"comprobar", "--codigo", "X9GP-ZD7G", in(d, "no-existe.asc")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no-existe.asc"), std::string::npos);
}

TEST(ClaseGrade, WrittenWhenReadableRefusedWhenTheInputsAreFaulty) {
    TempDir d;
    spit(d.path / "lista.csv", kList);
    ASSERT_EQ(
        run({"crear", "--alumnos", in(d, "lista.csv"), "--clave", in(d, "clave.csv"), "--semilla", "2026"})
            .status,
        0);
    spit(d.path / "resp.csv", "codigo;tipo;gap_sigma_eV\nX9GP-ZD7G;p;0,78\n2PVY-2ZTX;n;0,5\n");
    const Outcome ok =
        run({"corregir", "--clave", in(d, "clave.csv"), in(d, "resp.csv"), "-o", in(d, "notas.csv")});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out, "X9GP-ZD7G Ana Belén Núñez: 2 de 2 bien\n2PVY-2ZTX Íñigo Ortiz: 0 de 2 bien\n");
    const std::string notes = slurp(d.path / "notas.csv");
    EXPECT_NE(notes.find("Íñigo Ortiz,L1,2PVY-2ZTX,tipo,n,p,,,,fuera de tolerancia\n"), std::string::npos)
        << notes;

    // A tolerance of 0.3 eV passes the second gap.
    spit(d.path / "tol.csv", "magnitud,tolerancia\ngap_sigma_eV,0.31\n");
    const Outcome wide = run({"corregir", "--clave", in(d, "clave.csv"), "--tolerancias", in(d, "tol.csv"),
                              in(d, "resp.csv"), "-o", in(d, "notas.csv")});
    EXPECT_EQ(wide.out, "X9GP-ZD7G Ana Belén Núñez: 2 de 2 bien\n2PVY-2ZTX Íñigo Ortiz: 1 de 2 bien\n");

    // Rows that cannot be graded: the others are written, the status says so.
    spit(d.path / "resp2.csv", "codigo,gap_sigma_eV\nX9GP-ZD7G,0.78\nZZZZ-2222,0.7\n");
    const Outcome partial =
        run({"corregir", "--clave", in(d, "clave.csv"), in(d, "resp2.csv"), "-o", in(d, "notas2.csv")});
    EXPECT_EQ(partial.status, 1);
    EXPECT_NE(partial.err.find("resp2.csv: línea 3: "), std::string::npos) << partial.err;
    EXPECT_TRUE(fs::exists(d.path / "notas2.csv"));

    // A faulty tolerance table, an edited key, an output over an input: nothing written.
    spit(d.path / "tol.csv", "magnitud,tolerancia\ngap_sigma_eV,ancha\n");
    const Outcome badTol = run({"corregir", "--clave", in(d, "clave.csv"), "--tolerancias", in(d, "tol.csv"),
                                in(d, "resp.csv"), "-o", in(d, "notas3.csv")});
    EXPECT_EQ(badTol.status, 1);
    EXPECT_EQ(badTol.err, in(d, "tol.csv") +
                              ": línea 2: la tolerancia «ancha» no es un número positivo (o un "
                              "porcentaje como «3%»)\ntarvelo-clase: las tolerancias tienen errores: "
                              "no se corrige nada\n");
    std::string key = slurp(d.path / "clave.csv");
    key.replace(key.find(",0.807,"), 7, ",0.9,");
    spit(d.path / "clave-editada.csv", key);
    const Outcome badKey = run(
        {"corregir", "--clave", in(d, "clave-editada.csv"), in(d, "resp.csv"), "-o", in(d, "notas3.csv")});
    EXPECT_EQ(badKey.status, 1);
    EXPECT_NE(badKey.err.find("línea 2: L_cm es «0.9», pero el código X9GP-ZD7G da «0.807»"),
              std::string::npos)
        << badKey.err;
    EXPECT_FALSE(fs::exists(d.path / "notas3.csv"));
    for (const char* input : {"clave.csv", "resp.csv"}) {
        const std::string before = slurp(d.path / input);
        const Outcome over =
            run({"corregir", "--clave", in(d, "clave.csv"), in(d, "resp.csv"), "-o", in(d, input)});
        EXPECT_EQ(over.status, 2);
        EXPECT_EQ(slurp(d.path / input), before);
    }
}
