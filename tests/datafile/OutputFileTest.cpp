// Tables, fits, reports and pictures written through the data file's writer, on the
// real file system: what stands at the output path keeps being what it is, a write cut
// short leaves nothing, and every failure is explained in Spanish.
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/sysmacros.h>
#include <thread>

#include "CoreSupport.h"
#include "datafile/FileWriting.h"
#include "datafile/OutputFile.h"
#include "datafile/SameFile.h"
#include "datafile/SystemErrorText.h"

using namespace eh;
using namespace eh::test;

namespace {

const std::string kOld = "medidas del estudiante\r\n";

// Text long enough to need many writes and more than a pipe's buffer.
std::string bigText(std::size_t bytes) {
    std::string text;
    for (int k = 1; text.size() < bytes; ++k)
        text += std::to_string(k) + ",300,9000,10,1.238,0.2812,-0.2812\n";
    return text;
}

// What the user reads, or "" when the file was written.
std::string reason(const fs::path& p, std::string_view content = "ajuste,valor\n") {
    return writeOutputFile(p.string(), content).value_or("");
}

class OutputFile : public ::testing::Test {
protected:
    TempDir tmp;
    const fs::path dir = tmp.path;
};

} // namespace

// One Spanish text for each failure a user can meet, none of the system's English.
TEST(SystemErrorText, OneSpanishTextForEachFailure) {
    const std::pair<const char*, std::vector<int>> rows[] = {
        {"no existe la carpeta o el fichero", {ENOENT}},
        {"una parte del camino no es una carpeta", {ENOTDIR}},
        {"no hay permiso de acceso", {EACCES, EPERM}},
        {"es una carpeta, no un fichero", {EISDIR}},
        {"el disco está lleno", {ENOSPC, EDQUOT}},
        {"el fichero sería demasiado grande", {EFBIG}},
        {"el disco es de solo lectura", {EROFS}},
        {"el nombre es demasiado largo", {ENAMETOOLONG}},
        {"los enlaces simbólicos forman un bucle", {ELOOP}},
        {"nadie lee de esa tubería o ese dispositivo", {ENXIO}},
        {"el fichero es un programa en uso", {ETXTBSY}},
        {"error de lectura o escritura en el disco", {EIO}},
        {"error del sistema número 18", {EXDEV}},
        {"error del sistema número 95", {EOPNOTSUPP}},
    };
    for (const auto& [text, errs] : rows)
        for (int err : errs) EXPECT_EQ(systemErrorText(err), text) << err;
}

// The failures a user meets on a real disk, each with its reason; names up to the
// folder's limit of 255 bytes are written.
TEST_F(OutputFile, EachFailureOnDiskGivesItsReason) {
    fs::create_directory(dir / "carpeta");
    spit(dir / "fichero.txt", kOld);
    fs::create_symlink("bucle-b", dir / "bucle-a");
    fs::create_symlink("bucle-a", dir / "bucle-b");
    ASSERT_EQ(::mkfifo((dir / "tuberia").c_str(), 0600), 0);
    const struct {
        const char* what;
        fs::path path;
        const char* text;
    } rows[] = {
        {"missing folder", dir / "no-hay" / "t.csv", "no existe la carpeta o el fichero"},
        {"a folder", dir / "carpeta", "es una carpeta, no un fichero"},
        {"a name ending in a slash", dir.string() + "/nuevo/", "es una carpeta, no un fichero"},
        {"a file used as a folder", dir / "fichero.txt" / "t.csv", "una parte del camino no es una carpeta"},
        {"a name of 256 bytes", dir / std::string(256, 'n'), "el nombre es demasiado largo"},
        {"a name of 255 bytes", dir / std::string(255, 'n'), ""},
        {"links in a loop", dir / "bucle-a", "los enlaces simbólicos forman un bucle"},
        {"a pipe nobody reads", dir / "tuberia", "nadie lee de esa tubería o ese dispositivo"},
        {"no name", "", "falta el nombre del fichero"},
    };
    for (const auto& row : rows) EXPECT_EQ(reason(row.path), row.text) << row.what;
    EXPECT_EQ(slurp(dir / std::string(255, 'n')), "ajuste,valor\n");
    EXPECT_EQ(slurp(dir / "fichero.txt"), kOld);
    EXPECT_TRUE(fs::is_fifo(dir / "tuberia"));

    // A folder the user may not write (the tests may run as root, whom no bits stop).
    fs::create_directory(dir / "ajena");
    fs::permissions(dir / "ajena", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    EXPECT_EQ(
        forked([&] { return reason(dir / "ajena" / "t.csv") == "no hay permiso de acceso" ? 0 : 1; }, true),
        0);
    EXPECT_TRUE(entries(dir / "ajena").empty());
}

// A named pipe is written into, never replaced: its reader gets every byte, more than
// the pipe holds at once.
TEST_F(OutputFile, PipeIsWrittenIntoNotReplaced) {
    const fs::path fifo = dir / "tuberia";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const std::string text = bigText(1 << 20);
    std::atomic<bool> done{false};
    std::string failure;
    std::thread writer([&] {
        failure = reason(fifo, text);
        done = true;
    });
    std::string got;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(reader, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, std::size_t(n));
        } else if (n == 0 && done) {
            break;
        } else {
            pollfd p{reader, POLLIN, 0};
            ::poll(&p, 1, 20);
        }
    }
    writer.join();
    ::close(reader);
    EXPECT_EQ(failure, "");
    EXPECT_EQ(got.size(), text.size());
    EXPECT_TRUE(got == text);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(entries(dir), std::vector<std::string>{"tuberia"});
}

// A device node (the null device's numbers, made in the test's own folder) is written
// in place or refused with a reason, and in either case stays the same node.
TEST_F(OutputFile, DeviceNodeIsNeverReplaced) {
    const fs::path node = dir / "nulo";
    if (::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) GTEST_SKIP() << "mknod needs root";
    struct stat before {};
    ASSERT_EQ(::lstat(node.c_str(), &before), 0);
    const std::string why = reason(node, bigText(200000));
    EXPECT_TRUE(why.empty() || why == "no hay permiso de acceso") << why; // a file system mounted nodev
    struct stat after {};
    ASSERT_EQ(::lstat(node.c_str(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, ::makedev(1, 3));
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"nulo"});
}

// "/dev/stdout" is whatever the program's output was sent to: a pipe gets the text, a
// file receives it in place (the same file, not a new one under its name).
TEST_F(OutputFile, StandardOutputIsWhatItWasSentTo) {
    const std::string text = "ajuste,valor,incertidumbre\ngap_sigma,0.71,0.02\n";
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_EQ(forked([&] {
                  ::dup2(ends[1], STDOUT_FILENO);
                  return reason("/dev/stdout", text).empty() ? 0 : 1;
              }),
              0);
    ::close(ends[1]);
    std::string got(4096, '\0');
    got.resize(std::size_t(std::max<ssize_t>(0, ::read(ends[0], got.data(), got.size()))));
    ::close(ends[0]);
    EXPECT_EQ(got, text);

    const fs::path out = dir / "salida.txt";
    spit(out, kOld);
    struct stat before {};
    ::stat(out.c_str(), &before);
    EXPECT_EQ(forked([&] {
                  const int fd = ::open(out.c_str(), O_WRONLY);
                  ::dup2(fd, STDOUT_FILENO);
                  return reason("/dev/stdout", text).empty() ? 0 : 1;
              }),
              0);
    struct stat after {};
    ::stat(out.c_str(), &after);
    EXPECT_EQ(slurp(out), text);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(entries(dir), std::vector<std::string>{"salida.txt"});
}

// A process killed mid-write (here at a known point: the size limit's signal turned
// into SIGKILL) leaves the old file, or none, and nothing else; a user's own file
// called like a temporary one is left alone.
TEST_F(OutputFile, KilledMidWriteLeavesNothingBehind) {
    const struct {
        const char* what;
        bool existed;
    } rows[] = {{"creating", false}, {"replacing", true}};
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path folder = dir / std::to_string(n++);
        fs::create_directory(folder);
        const fs::path out = folder / "tabla.csv";
        if (row.existed) spit(out, kOld);
        spit(folder / "tabla.csv.tmp", "del estudiante\n");
        EXPECT_EQ(forked([&] {
                      const rlimit none{0, 0}, limit{65536, 65536};
                      ::setrlimit(RLIMIT_CORE, &none);
                      std::signal(SIGXFSZ, [](int) { ::raise(SIGKILL); });
                      ::setrlimit(RLIMIT_FSIZE, &limit);
                      return reason(out, bigText(8 << 20)).empty() ? 0 : 1;
                  }),
                  128 + SIGKILL);
        std::vector<std::string> names{"tabla.csv.tmp"};
        if (row.existed) names.insert(names.begin(), "tabla.csv");
        EXPECT_EQ(entries(folder), names);
        if (row.existed) {
            EXPECT_EQ(slurp(out), kOld);
        }
        EXPECT_EQ(slurp(folder / "tabla.csv.tmp"), "del estudiante\n");
    }
}

namespace {

// Every sync the writer makes: of a folder or of a file, and whether the output's
// name already led to that file.
struct SyncSeen {
    bool folder;
    ino_t inode;
    bool named;
};
std::vector<SyncSeen> syncsSeen;
std::string watchedPath;

int recordingSync(int fd) {
    struct stat st {
    }, named{};
    ::fstat(fd, &st);
    const bool isNamed = ::stat(watchedPath.c_str(), &named) == 0 && named.st_ino == st.st_ino;
    syncsSeen.push_back({S_ISDIR(st.st_mode), st.st_ino, isNamed});
    return ::fsync(fd);
}

} // namespace

// A new or replacing file is on disk before its name leads to it, and the folder's
// entry after: a power cut leaves the old file or the whole new one. A file written
// in place is synced too.
TEST_F(OutputFile, FileIsSyncedBeforeItIsLinkedIntoPlace) {
    const struct {
        const char* what;
        bool existed, secondName, inPlace;
    } rows[] = {
        {"new file", false, false, false},
        {"replacing a file", true, false, false},
        {"a file with a second name, in place", true, true, true},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path out = dir / ("t" + std::to_string(n++) + ".csv");
        if (row.existed) spit(out, kOld);
        if (row.secondName) fs::create_hard_link(out, dir / ("otro" + std::to_string(n) + ".csv"));
        watchedPath = out.string();
        syncsSeen.clear();
        filewriting::syncToDisk = recordingSync;
        const std::string why = reason(out);
        filewriting::syncToDisk = ::fsync;
        ASSERT_EQ(why, "");
        struct stat st {};
        ::stat(out.c_str(), &st);
        const auto file = std::find_if(syncsSeen.begin(), syncsSeen.end(),
                                       [&](const SyncSeen& s) { return !s.folder && s.inode == st.st_ino; });
        ASSERT_NE(file, syncsSeen.end()) << "the file itself was never synced";
        EXPECT_EQ(file->named, row.inPlace) << "synced only after its name led to it";
        if (!row.inPlace) {
            EXPECT_TRUE(std::any_of(file + 1, syncsSeen.end(), [](const SyncSeen& s) { return s.folder; }))
                << "the folder's new entry was not synced";
        }
    }
}

// Two names lead to one file by any spelling; names not yet made are compared by
// where they would be created.
TEST_F(OutputFile, SameFileBySpelling) {
    fs::create_directory(dir / "x");
    spit(dir / "x" / "d.asc", kOld);
    spit(dir / "otro.asc", kOld);
    fs::create_hard_link(dir / "x" / "d.asc", dir / "duro.asc");
    fs::create_symlink("x/d.asc", dir / "enlace.asc");
    fs::create_symlink("x", dir / "carpeta");
    fs::create_symlink("x/nuevo.csv", dir / "colgante.csv");
    const std::string d = (dir / "x" / "d.asc").string();
    const struct {
        const char* what;
        std::string a, b;
        bool same;
    } rows[] = {
        {"the same name", d, d, true},
        {"through x/../x", d, (dir / "x" / ".." / "x" / "d.asc").string(), true},
        {"a hard link", d, (dir / "duro.asc").string(), true},
        {"a symbolic link", d, (dir / "enlace.asc").string(), true},
        {"through a linked folder", d, (dir / "carpeta" / "d.asc").string(), true},
        {"another file with the same content", d, (dir / "otro.asc").string(), false},
        {"a file and a name not yet made", d, (dir / "x" / "t.csv").string(), false},
        {"two spellings of a name not yet made", (dir / "x" / "t.csv").string(),
         (dir / "carpeta" / ".." / "x" / "./t.csv").string(), true},
        {"two names not yet made", (dir / "x" / "t.csv").string(), (dir / "x" / "a.csv").string(), false},
        {"a dangling link and where it leads", (dir / "colgante.csv").string(),
         (dir / "x" / "nuevo.csv").string(), true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sameFile(row.a, row.b), row.same) << row.what;
        EXPECT_EQ(sameFile(row.b, row.a), row.same) << row.what << ", the other way round";
    }
    // A relative name and the absolute one of the same place.
    const fs::path here = fs::current_path();
    fs::current_path(dir);
    EXPECT_TRUE(sameFile("t.csv", (dir / "t.csv").string()));
    EXPECT_TRUE(sameFile("t.csv", "./t.csv"));
    fs::current_path(here);
}
