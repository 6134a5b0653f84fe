#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "BenchFixture.h"
#include "FileSystemFixture.h"
#include "register/DataFile.h"
#include "register/ErrorReport.h"

using namespace eh;
namespace fs = std::filesystem;

namespace {

using eh::test::slurp;

class SaveTest : public eh::test::BenchTest {
protected:
    SaveTest() {
        dir = fs::temp_directory_path() / ("tarvelo-save-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        bench.Bot_Inter_Click();
    }
    ~SaveTest() override {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
    }
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
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        return names;
    }
    bool busyRestored() const { return !host.pointer.empty() && !host.pointer.back(); }

    fs::path dir;
};

} // namespace

TEST(DataLine, FormatOfOneRecord) {
    EXPECT_EQ(formatDataLine(1, {300.0f, 9000.0f, 10.0f, 2.5f, -1.25f, 1.25f}),
              "1,300,9000,10,2.5,-1.25,1.25\r\n");
    EXPECT_EQ(formatDataLine(12, {75.25f, 0.0f, 0.001f, 1.5e-5f, -0.02812345f, 0.0f}),
              "12,75.25,0,0.001,1.5E-05,-0.02812345,0\r\n");
}

TEST_F(SaveTest, DialogRequestAndThreeRecordsByteForByte) {
    store(300.0f, 1.0f, 0.1238f);
    store(299.5f, 2.5f, 0.2476f);
    bench.Lectura_EH_Neg = 0.0125f;
    bench.Lectura_EH_Pos = TaggedNumber::dbl(-0.0125);
    store(75.0f, 10.0f, 1.5e-5f);
    saveAs(dir / "datos");
    ASSERT_EQ(host.dialogs.size(), 1u);
    EXPECT_EQ(host.dialogs[0].title, "Seleccionar directorio y escribir el nombre del fichero");
    EXPECT_EQ(host.dialogs[0].filter, "Todos los ficheros(*.*)|*.*|Ficheros de datos(*.ASC)|*.ASC");
    EXPECT_EQ(host.dialogs[0].filterIndex, 2);
    EXPECT_TRUE(host.dialogs[0].overwritePrompt);
    const std::string expected =
        "1,300,0,1,0.1238,0,0\r\n2,299.5,0,2.5,0.2476,0,0\r\n3,75,0,10,1.5E-05,0.0125,-0.0125\r\n";
    EXPECT_EQ(slurp(dir / "datos"), expected);
    EXPECT_EQ(bench.Nombre_Fichero, (dir / "datos").string());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.pointer, (std::vector<bool>{true, false}));
    // The register survives the save, and saving again gives the same file.
    saveAs(dir / "datos");
    EXPECT_EQ(slurp(dir / "datos"), expected);
    EXPECT_EQ(entries().size(), 1u);
}

TEST_F(SaveTest, EmptyRegisterAndResetGiveEmptyOrRenumberedFiles) {
    saveAs(dir / "vacio.ASC");
    EXPECT_TRUE(fs::exists(dir / "vacio.ASC"));
    EXPECT_EQ(fs::file_size(dir / "vacio.ASC"), 0u);
    for (int i = 0; i < 5; ++i) store(300.0f + i, 1.0f, 0.1f);
    bench.Reset_Click();
    store(50.0f, 1.0f, 0.1f);
    store(60.0f, 1.0f, 0.1f);
    saveAs(dir / "dos");
    EXPECT_EQ(slurp(dir / "dos"), "1,50,0,1,0.1,0,0\r\n2,60,0,1,0.1,0,0\r\n");
}

TEST_F(SaveTest, CancelWritesAndShowsNothing) {
    store(300.0f, 1.0f, 0.1f);
    host.answer.reset();
    bench.Salvar_Click();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.pointer.empty());
    EXPECT_TRUE(entries().empty());
    EXPECT_TRUE(bench.Nombre_Fichero.empty());
}

TEST_F(SaveTest, MissingFolderIsError76AndTheNextSaveWorks) {
    store(300.0f, 1.0f, 0.1f);
    saveAs(dir / "no-existe" / "datos.ASC");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error 76: no se encuentra el camino de acceso ");
    EXPECT_EQ(host.messages[0].title, "MENSAJE DE ERROR");
    EXPECT_TRUE(busyRestored());
    saveAs(dir / "datos.ASC");
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(slurp(dir / "datos.ASC"), "1,300,0,1,0.1,0,0\r\n");
}

TEST_F(SaveTest, NameEndingInSlashIsReportedAndWritesNothing) {
    store(300.0f, 1.0f, 0.1f);
    fs::create_directory(dir / "carpeta");
    saveAs(dir / "carpeta/");
    saveAs((dir / "nuevo").string() + "/");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Error 52: nombre de fichero incorrecto");
    EXPECT_EQ(host.messages[1].text, "Error 52: nombre de fichero incorrecto");
    EXPECT_EQ(entries(), std::vector<std::string>{"carpeta"});
    EXPECT_TRUE(fs::is_empty(dir / "carpeta"));
    EXPECT_TRUE(busyRestored());
    EXPECT_TRUE(bench.hasUnsavedRecords());
}

TEST_F(SaveTest, DeviceThatIsFullGivesTheGeneralForm) {
    store(300.0f, 1.0f, 0.1f);
    saveAs("/dev/full");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error  61: Disco lleno");
    EXPECT_TRUE(busyRestored());
}

TEST_F(SaveTest, FailureWhileWritingKeepsTheOldFileAndLeavesNoTemporary) {
    { std::ofstream(dir / "datos.ASC", std::ios::binary) << "contenido anterior\r\n"; }
    for (int i = 0; i < 100; ++i) store(300.0f + i, 1.0f, 0.1f);

    // Cap the size of any file this process writes, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    saveAs(dir / "datos.ASC");
    ::setrlimit(RLIMIT_FSIZE, &old);

    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error  61: Disco lleno");
    EXPECT_EQ(slurp(dir / "datos.ASC"), "contenido anterior\r\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"datos.ASC"});
    EXPECT_TRUE(busyRestored());

    saveAs(dir / "datos.ASC"); // the channel was closed: this one just works
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(fs::file_size(dir / "datos.ASC"), slurp(dir / "datos.ASC").size());
    EXPECT_EQ(slurp(dir / "datos.ASC").substr(0, 19), "1,300,0,1,0.1,0,0\r\n");
}

TEST_F(SaveTest, SavedValuesReadBackExactly) {
    const float temps[] = {299.051f, 77.123456f, 123.4567f};
    for (float t : temps) {
        bench.Lectura_EH_Neg = t / 7919.0f;
        store(t, 12.345f, -t / 1e6f);
    }
    saveAs(dir / "exacto.ASC");
    std::ifstream in(dir / "exacto.ASC");
    std::string line;
    int k = 0;
    while (std::getline(in, line)) {
        ASSERT_EQ(line.back(), '\r');
        std::stringstream fields(line);
        std::string f;
        std::vector<float> v;
        while (std::getline(fields, f, ',')) v.push_back(std::stof(f));
        ASSERT_EQ(v.size(), 7u);
        ++k;
        EXPECT_EQ(v[0], static_cast<float>(k));
        // Seven significant digits bring every stored single back within one unit of the seventh.
        EXPECT_NEAR(v[1], bench.Reg_Temperatura[k], bench.Reg_Temperatura[k] * 1e-6);
        EXPECT_NEAR(v[4], bench.Reg_VR[k], std::fabs(bench.Reg_VR[k]) * 1e-6);
        EXPECT_NEAR(v[5], bench.Reg_VH_Neg[k], std::fabs(bench.Reg_VH_Neg[k]) * 1e-6);
    }
    EXPECT_EQ(k, 3);
}

// The bench's own texts for its eight codes, and the general form, with two blanks,
// for every other code, the neighbours of the table's codes included.
TEST(ErrorText, TableAndGeneralForms) {
    struct Row {
        int code;
        const char* description;
        const char* shown;
        bool closesChannel;
    };
    const Row rows[] = {
        {52, "x", "Error 52: nombre de fichero incorrecto", false},
        {53, "x", "Error 53: ese fichero no existe", false},
        {55, "x", "Error 55: Fichero ya abierto", true},
        {62, "x", "Error 62: capacidad sobrepasada", true},
        {64, "x", "Error 64: nombre de fichero incorrecto", false},
        {71, "x", "Error 71: no se puede acceder al disco", false},
        {75, "x", "Error 75: camino de acceso incorrecto", false},
        {76, "x", "Error 76: no se encuentra el camino de acceso ", false},
        {51, "d", "Error  51: d", false},
        {54, "d", "Error  54: d", false},
        {56, "d", "Error  56: d", false},
        {61, "Disco lleno", "Error  61: Disco lleno", false},
        {63, "d", "Error  63: d", false},
        {65, "d", "Error  65: d", false},
        {70, "d", "Error  70: d", false},
        {72, "d", "Error  72: d", false},
        {74, "d", "Error  74: d", false},
        {77, "d", "Error  77: d", false},
        {11, "División por cero", "Error  11: División por cero", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(errorMessage(row.code, row.description), row.shown) << row.code;
        EXPECT_EQ(errorClosesChannel(row.code), row.closesChannel) << row.code;
    }
}

// What the user reads for each failure the system can report while saving.
TEST(ErrorText, SystemErrorsGiveTheirMessages) {
    struct Row {
        int err;
        const char* shown;
    };
    const Row rows[] = {
        {ENOENT, "Error 76: no se encuentra el camino de acceso "},
        {ENOTDIR, "Error 76: no se encuentra el camino de acceso "},
        {ELOOP, "Error 76: no se encuentra el camino de acceso "},
        {EACCES, "Error 75: camino de acceso incorrecto"},
        {EPERM, "Error 75: camino de acceso incorrecto"},
        {EROFS, "Error 75: camino de acceso incorrecto"},
        {EISDIR, "Error 75: camino de acceso incorrecto"},
        {ETXTBSY, "Error 75: camino de acceso incorrecto"},
        {ENAMETOOLONG, "Error 52: nombre de fichero incorrecto"},
        {EINVAL, "Error 64: nombre de fichero incorrecto"},
        {EILSEQ, "Error 64: nombre de fichero incorrecto"},
        {ENXIO, "Error 71: no se puede acceder al disco"},
        {ENODEV, "Error 71: no se puede acceder al disco"},
        {EBUSY, "Error 71: no se puede acceder al disco"},
        {EAGAIN, "Error 71: no se puede acceder al disco"},
        {ENOSPC, "Error  61: Disco lleno"},
        {EDQUOT, "Error  61: Disco lleno"},
        {EFBIG, "Error  61: Disco lleno"},
        {EMFILE, "Error  67: Demasiados ficheros abiertos"},
        {ENFILE, "Error  67: Demasiados ficheros abiertos"},
        {EIO, "Error  57: Error de entrada/salida en el dispositivo"},
        {EEXIST, "Error  57: Error de entrada/salida en el dispositivo"},
    };
    for (const Row& row : rows) {
        const FileError error = fileErrorFromErrno(row.err);
        EXPECT_EQ(errorMessage(error.code, error.description), row.shown) << std::strerror(row.err);
    }
}

TEST(ModelFaultReport, ImpossibleSampleIsReportedAndTheBenchGoesOn) {
    eh::test::FakeHost host;
    BenchModel bench(host);
    bench.Form_Load();
    bench.Muestra_Sel = 0;
    bench.Bot_Fuente_On_Click();
    bench.Conmuta_Ro_Click();
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, "Error  9: Subíndice fuera del intervalo");
    EXPECT_EQ(host.messages[0].title, "MENSAJE DE ERROR");
    bench.T_Medida = 0.0f;
    bench.Muestra_Sel = 1;
    host.messages.clear();
    bench.Calculo();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Error  11: División por cero");
    EXPECT_EQ(bench.R_Muestra, 1.0f);
}

// What a closing window or "Inicializar" must ask about: records stored and not yet
// written by a successful save.
TEST_F(SaveTest, UnsavedRecordsFollowStoresSavesFailuresAndReset) {
    EXPECT_FALSE(bench.hasUnsavedRecords());
    store(300.0f, 1.0f, 0.1f);
    EXPECT_TRUE(bench.hasUnsavedRecords());
    host.answer.reset();
    bench.Salvar_Click(); // cancelled
    EXPECT_TRUE(bench.hasUnsavedRecords());
    saveAs(dir / "no-existe" / "datos.ASC"); // failed
    EXPECT_TRUE(bench.hasUnsavedRecords());
    saveAs(dir / "datos.ASC");
    EXPECT_FALSE(bench.hasUnsavedRecords());
    EXPECT_EQ(bench.registerContent(), slurp(dir / "datos.ASC"));
    store(310.0f, 1.0f, 0.1f);
    EXPECT_TRUE(bench.hasUnsavedRecords());
    bench.Reset_Click();
    EXPECT_FALSE(bench.hasUnsavedRecords());
    saveAs(dir / "vacio.ASC"); // an empty register has nothing to lose
    EXPECT_FALSE(bench.hasUnsavedRecords());
}
