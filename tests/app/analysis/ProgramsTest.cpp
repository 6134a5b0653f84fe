// The programs themselves, run as a user runs them: what they refuse, with which
// message and status, and what they leave on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CoreSupport.h"

namespace fs = std::filesystem;

namespace {

using eh::test::entries;
using eh::test::slurp;
using eh::test::spit;
using eh::test::TempDir;

struct Outcome {
    int status; // exit status, or 128 + the signal that ended it
    std::string err;
};

// Runs `program` with `args` in `folder`, its standard error kept; a program that
// does not end in 20 s (a window opened after all) is ended by its alarm.
Outcome run(const std::string& program, const std::vector<std::string>& args, const fs::path& folder) {
    const fs::path errFile = folder / ".stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::alarm(20);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    Outcome r{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), slurp(errFile)};
    fs::remove(errFile);
    return r;
}

const std::string kData = "1,300,9000,10,1.238,0.2812,-0.2812\r\n";

} // namespace

// An existing file at -o is a key or a measurement made earlier: kept unless
// --sobrescribir is given; a link counts as existing even when it leads nowhere.
TEST(Barrido, KeepsAnExistingFileUnlessToldToReplaceIt) {
    TempDir dir;
    spit(dir.path / "clave.asc", kData);
    fs::create_symlink("falta.asc", dir.path / "colgante.asc");
    const std::vector<std::string> sweep{"--desde", "300", "--hasta", "300"};
    for (const char* name : {"clave.asc", "colgante.asc"}) {
        std::vector<std::string> args = sweep;
        args.insert(args.end(), {"-o", name});
        const Outcome r = run(TARVELO_BARRIDO, args, dir.path);
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.err, "tarvelo-barrido: " + std::string(name) +
                             " ya existe y no se escribe encima (--sobrescribir lo reemplaza)\n");
    }
    EXPECT_EQ(slurp(dir.path / "clave.asc"), kData);
    EXPECT_EQ(entries(dir.path), (std::vector<std::string>{"clave.asc", "colgante.asc"}));

    std::vector<std::string> args = sweep;
    args.insert(args.end(), {"--sobrescribir", "-o", "clave.asc"});
    const Outcome r = run(TARVELO_BARRIDO, args, dir.path);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string made = slurp(dir.path / "clave.asc");
    EXPECT_EQ(made.substr(0, 6), "1,300.") << made;
    EXPECT_NE(made, kData);

    const Outcome empty = run(TARVELO_BARRIDO, {"-o", ""}, dir.path);
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err.substr(0, empty.err.find('\n') + 1),
              "tarvelo-barrido: falta el nombre del fichero de -o\n");
}

// The analysis refuses, with status 2 and before touching anything, an empty output
// name (instead of opening its window) and an output that is its data file.
TEST(Analisis, RefusesOutputsThatWouldDestroyData) {
    TempDir dir;
    spit(dir.path / "d.asc", kData);
    const struct {
        std::vector<std::string> args;
        const char* firstLine;
    } rows[] = {
        {{"--tabla", "", "d.asc"}, "tarvelo-analisis: falta el nombre del fichero de --tabla\n"},
        {{"--ajustes", "d.asc", "d.asc"},
         "tarvelo-analisis: --ajustes d.asc es el propio fichero de datos d.asc: no se escribe nada\n"},
        {{"--tabla", "t.csv", "--ajustes", "t.csv", "d.asc"},
         "tarvelo-analisis: --tabla t.csv y --ajustes t.csv son el mismo fichero: no se escribe nada\n"},
    };
    for (const auto& row : rows) {
        const Outcome r = run(TARVELO_ANALISIS, row.args, dir.path);
        EXPECT_EQ(r.status, 2) << row.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), row.firstLine);
    }
    EXPECT_EQ(slurp(dir.path / "d.asc"), kData);
    EXPECT_EQ(entries(dir.path), std::vector<std::string>{"d.asc"});
}

// A named pipe as the table: the program writes into it and a reader gets the text.
TEST(Analisis, WritesIntoANamedPipe) {
    TempDir dir;
    spit(dir.path / "d.asc", kData);
    ASSERT_EQ(::mkfifo((dir.path / "tuberia").c_str(), 0600), 0);
    // The reader is there before the program opens the pipe; the table fits in the
    // pipe's buffer, so it is read once the program has ended.
    const int reader = ::open((dir.path / "tuberia").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const Outcome r = run(TARVELO_ANALISIS, {"--tabla", "tuberia", "d.asc"}, dir.path);
    std::string got(65536, '\0');
    got.resize(std::size_t(std::max<ssize_t>(0, ::read(reader, got.data(), got.size()))));
    ::close(reader);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(got.substr(0, 9), "registro,") << got;
    EXPECT_NE(got.find("\n1,300,9000,10,1.238,0.2812,-0.2812,"), std::string::npos) << got;
    EXPECT_TRUE(fs::is_fifo(dir.path / "tuberia"));
}

// The field sweep's answer key, made and analysed by the two programs with nothing but
// the file between them; an option of the other kind of sweep is refused before the
// bench runs.
TEST(Barrido, FieldSweepIsAnalysedWithoutFurtherOptions) {
    TempDir dir;
    const Outcome made =
        run(TARVELO_BARRIDO, {"--barrido", "campo", "--temperatura", "300", "-o", "campo.asc"}, dir.path);
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.err.find("10 medidas guardadas en campo.asc"), std::string::npos) << made.err;
    const Outcome analysed = run(TARVELO_ANALISIS, {"--ajustes", "a.csv", "campo.asc"}, dir.path);
    EXPECT_EQ(analysed.status, 0) << analysed.err;
    const std::string fits = slurp(dir.path / "a.csv");
    const auto line = fits.substr(fits.find("RH_campo,"));
    // R_H of sample 1 at 300 K, -1/(e N_D) with N_D = 2e15 cm^-3: -3.12e3 cm^3/C, from 10 fields.
    EXPECT_EQ(line.substr(0, 15), "RH_campo,-3124.") << line;
    EXPECT_NE(line.find(",cm3/C,10,299,301,"), std::string::npos) << line;

    const Outcome mixed =
        run(TARVELO_BARRIDO, {"--barrido", "campo", "--temperatura", "300", "--hasta", "400", "-o", "x.asc"},
            dir.path);
    EXPECT_EQ(mixed.status, 2);
    EXPECT_EQ(
        mixed.err.substr(0, mixed.err.find('\n') + 1),
        "tarvelo-barrido: --hasta es del barrido de temperatura; el de campo mide a una sola temperatura, la "
        "de --temperatura\n");
    EXPECT_FALSE(fs::exists(dir.path / "x.asc"));
}
