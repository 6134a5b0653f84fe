// Saving the register from the bench, and what the user reads when it fails.
#include "CoreSupport.h"

using namespace eh;
using namespace eh::test;

namespace {

class SaveTest : public BenchTest {
protected:
    SaveTest() { bench.Bot_Inter_Click(); }
    void store(float t, float iMa, float vr) {
        bench.T_Medida = t;
        bench.I_Fuente = iMa;
        bench.Lectura_Ro = TaggedNumber::single(vr);
        bench.Acumular_Click();
    }
    void saveAs(const fs::path& p) {
        host.answer = p.string();
        bench.Salvar_Click();
    }

    TempDir tmp;
    const fs::path dir = tmp.path;
};

} // namespace

TEST_F(SaveTest, RegisterIsSavedByteForByteAndThenCountsAsSaved) {
    EXPECT_FALSE(bench.hasUnsavedRecords());
    store(300.0f, 1.0f, 0.1238f);
    store(299.5f, 2.5f, 0.2476f);
    bench.Lectura_EH_Neg = 0.0125f;
    bench.Lectura_EH_Pos = TaggedNumber::dbl(-0.0125);
    store(75.0f, 10.0f, 1.5e-5f);
    EXPECT_TRUE(bench.hasUnsavedRecords());
    host.answer.reset(); // cancelled: nothing written, nothing shown
    bench.Salvar_Click();
    EXPECT_TRUE(host.pointer.empty());
    EXPECT_TRUE(entries(dir).empty());
    EXPECT_TRUE(bench.hasUnsavedRecords());

    saveAs(dir / "datos");
    ASSERT_EQ(host.dialogs.size(), 2u);
    EXPECT_EQ(host.dialogs[0].title, "Seleccionar directorio y escribir el nombre del fichero");
    EXPECT_EQ(host.dialogs[0].filter, "Todos los ficheros(*.*)|*.*|Ficheros de datos(*.ASC)|*.ASC");
    EXPECT_EQ(host.dialogs[0].filterIndex, 2);
    EXPECT_TRUE(host.dialogs[0].overwritePrompt);
    const std::string expected =
        "1,300,0,1,0.1238,0,0\r\n2,299.5,0,2.5,0.2476,0,0\r\n3,75,0,10,1.5E-05,0.0125,-0.0125\r\n";
    EXPECT_EQ(slurp(dir / "datos"), expected);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.pointer, (std::vector<bool>{true, false}));
    EXPECT_FALSE(bench.hasUnsavedRecords());
    saveAs(dir / "datos"); // the register survives the save
    EXPECT_EQ(slurp(dir / "datos"), expected);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"datos"});

    store(310.0f, 1.0f, 0.1f);
    EXPECT_TRUE(bench.hasUnsavedRecords());
    bench.Reset_Click(); // the next records are numbered from 1 again
    EXPECT_FALSE(bench.hasUnsavedRecords());
    saveAs(dir / "vacio.ASC");
    EXPECT_EQ(slurp(dir / "vacio.ASC"), "");
    EXPECT_TRUE(fs::exists(dir / "vacio.ASC"));
    store(50.0f, 1.0f, 0.1f);
    store(60.0f, 1.0f, 0.1f);
    saveAs(dir / "dos");
    EXPECT_EQ(slurp(dir / "dos"), "1,50,0,1,0.1,0.0125,-0.0125\r\n2,60,0,1,0.1,0.0125,-0.0125\r\n");
}

// Each failure writes nothing, shows one message, keeps the records unsaved and
// leaves the file channel closed for the next save.
TEST_F(SaveTest, FailedSavesAreReportedAndTheNextOneWorks) {
    struct Row {
        fs::path name;
        const char* shown;
    };
    fs::create_directory(dir / "carpeta");
    spit(dir / "viejo.ASC", "contenido anterior\r\n");
    const Row rows[] = {
        {dir / "no-existe" / "datos.ASC", "Error 76: no se encuentra el camino de acceso "},
        {dir / "carpeta/", "Error 52: nombre de fichero incorrecto"},
        {dir / "nuevo/", "Error 52: nombre de fichero incorrecto"},
        {dir / "viejo.ASC/", "Error 52: nombre de fichero incorrecto"},
        {dir / "carpeta", "Error 75: camino de acceso incorrecto"},
        {"/", "Error 52: nombre de fichero incorrecto"},
        {"/dev/full", "Error  61: Disco lleno"},
    };
    store(300.0f, 1.0f, 0.1f);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        host.messages.clear();
        host.pointer.clear();
        saveAs(row.name);
        EXPECT_EQ(host.messages, std::vector<std::string>{row.shown});
        EXPECT_EQ(host.titles.back(), "MENSAJE DE ERROR");
        EXPECT_EQ(host.pointer, (std::vector<bool>{true, false}));
        EXPECT_TRUE(bench.hasUnsavedRecords());
    }
    EXPECT_EQ(entries(dir), (std::vector<std::string>{"carpeta", "viejo.ASC"}));
    EXPECT_TRUE(fs::is_empty(dir / "carpeta"));
    EXPECT_EQ(slurp(dir / "viejo.ASC"), "contenido anterior\r\n");
    host.messages.clear();
    saveAs(dir / "viejo.ASC");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(slurp(dir / "viejo.ASC"), "1,300,0,1,0.1,0,0\r\n");
}

TEST_F(BenchTest, ModelFaultsAreReportedAndTheBenchGoesOn) {
    bench.Muestra_Sel = 0; // no such sample
    bench.Bot_Fuente_On_Click();
    bench.Conmuta_Ro_Click();
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0], "Error  9: Subíndice fuera del intervalo");
    EXPECT_EQ(host.titles[0], "MENSAJE DE ERROR");
    bench.T_Medida = 0.0f;
    bench.Muestra_Sel = 1;
    host.messages.clear();
    bench.Calculo();
    EXPECT_EQ(host.messages, std::vector<std::string>{"Error  11: División por cero"});
    EXPECT_EQ(bench.R_Muestra, 1.0f);
}
