// The register's journal: its lines read back bit for bit, damage costs at most the
// damaged line, every entry is synced before it returns, and a journal becomes a
// recovery file only once its program has ended.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sys/file.h>

#include "CoreSupport.h"
#include "datafile/DataFile.h"
#include "datafile/JournalFile.h"
#include "datafile/JournalLine.h"
#include "datafile/JournalReplay.h"
#include "datafile/Recovery.h"

using namespace eh;
using namespace eh::test;

namespace {

const RecordValues kPlain{300.0f, 9000.0f, 10.0f, 2.5f, -1.25f, 1.25f};

// Values whose seven-digit forms are easy to get wrong: a third, the float just above
// one, a subnormal, a negative zero, the largest float, a tiny Hall voltage.
const RecordValues kAwkward{
    1.0f / 3.0f, std::nextafter(1.0f, 2.0f),        std::numeric_limits<float>::denorm_min(),
    -0.0f,       std::numeric_limits<float>::max(), -1.2345678e-7f};

std::string dataFile(const std::vector<RecordValues>& records) {
    std::string content;
    for (std::size_t k = 0; k < records.size(); ++k)
        content += formatDataLine(static_cast<int>(k + 1), records[k]);
    return content;
}

} // namespace

TEST(JournalLine, WorkedLineAndExactRoundTrip) {
    // The bit patterns of 300, 9000, 10, 2.5, -1.25 and 1.25, and the CRC-32 of all
    // before the last blank (computed apart with zlib).
    EXPECT_EQ(journalLine({1, kPlain}),
              "A 1 43960000 460ca000 41200000 40200000 bfa00000 3fa00000 b9ac295e\n");
    for (const RecordValues& values : {kPlain, kAwkward}) {
        const std::string line = journalLine({100, values});
        const auto back = parseJournalLine(std::string_view(line).substr(0, line.size() - 1));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->number, 100);
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(std::bit_cast<std::uint32_t>(back->values[i]), std::bit_cast<std::uint32_t>(values[i]))
                << i;
    }
    EXPECT_EQ(registerFromJournal(journalLine({1, kPlain}) + journalLine({2, kAwkward})),
              dataFile({kPlain, kAwkward}));
}

TEST(JournalLine, DamageCostsOnlyTheDamagedLine) {
    const std::string good = journalLine({1, kPlain}) + journalLine({2, kAwkward});
    const std::string last = journalLine({3, kPlain});
    // Cut short anywhere, line end included: the third record is lost, never more.
    for (std::size_t keep = 0; keep < last.size(); ++keep)
        EXPECT_EQ(registerFromJournal(good + last.substr(0, keep)), dataFile({kPlain, kAwkward})) << keep;
    EXPECT_EQ(registerFromJournal(good + last), dataFile({kPlain, kAwkward, kPlain}));
    // The zeros after the last line, whole or following half a line.
    EXPECT_EQ(registerFromJournal(good + std::string(200, '\0')), dataFile({kPlain, kAwkward}));
    EXPECT_EQ(registerFromJournal(good + last.substr(0, 30) + std::string(200, '\0')),
              dataFile({kPlain, kAwkward}));
    // One byte changed anywhere before the line end: that line is refused.
    for (std::size_t at = 0; at + 1 < last.size(); ++at) {
        std::string garbled = last;
        garbled[at] = garbled[at] == '1' ? '2' : '1';
        EXPECT_EQ(registerFromJournal(good + garbled), dataFile({kPlain, kAwkward})) << at;
        EXPECT_FALSE(parseJournalLine(std::string_view(garbled).substr(0, garbled.size() - 1))) << at;
    }
}

TEST(JournalLine, RecordNumbersOutsideTheRegisterAreRefused) {
    for (const int number : {0, 1, 100, 101}) {
        const std::string line = journalLine({number, kPlain});
        EXPECT_EQ(parseJournalLine(std::string_view(line).substr(0, line.size() - 1)).has_value(),
                  number >= 1 && number <= 100)
            << number;
    }
}

// The file of a running program: each entry on disk (synced, after its bytes were
// written) before the call returns, and the file's length never changed by an entry.
TEST(JournalFile, EveryEntryIsSyncedAfterItWasWritten) {
    TempDir tmp;
    const std::string folder = (tmp.path / "Tarvelo").string(); // not there yet
    std::vector<std::string> atSync;                            // what a start would offer, at each sync
    JournalFile journal(folder, [&](int fd) {
        atSync.push_back(registerFromJournal(slurp(journal.path())));
        return ::fdatasync(fd);
    });
    EXPECT_TRUE(journal.path().empty()) << "no file before the first record";
    journal.settled();
    EXPECT_TRUE(atSync.empty()) << "nothing to empty yet";

    std::vector<RecordValues> records{kPlain};
    journal.stored(records);
    ASSERT_FALSE(journal.path().empty());
    EXPECT_EQ(fs::path(journal.path()).parent_path(), folder);
    EXPECT_TRUE(
        fs::path(journal.path()).filename().string().starts_with("registro-" + std::to_string(::getpid())));
    const std::uintmax_t length = fs::file_size(journal.path());
    records.push_back(kAwkward);
    journal.stored(records);
    EXPECT_EQ(atSync, (std::vector<std::string>{dataFile({kPlain}), dataFile({kPlain, kAwkward})}));
    EXPECT_EQ(fs::file_size(journal.path()), length);

    journal.settled(); // saved or emptied
    EXPECT_EQ(atSync.size(), 3u);
    EXPECT_EQ(atSync.back(), "");
    journal.settled();
    EXPECT_EQ(atSync.size(), 3u) << "an empty journal needs no second sync";

    // After a save the register still holds its records: the next one writes them all.
    records.push_back(kPlain);
    journal.stored(records);
    EXPECT_EQ(atSync.back(), dataFile(records));
    EXPECT_EQ(fs::file_size(journal.path()), length);

    const std::string path = journal.path();
    journal.remove();
    EXPECT_FALSE(fs::exists(path));
}

// A full register, saved and stored again many times, stays within the file.
TEST(JournalFile, FullRegistersKeepTheFileLength) {
    TempDir tmp;
    JournalFile journal((tmp.path / "Tarvelo").string());
    std::vector<RecordValues> records;
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < 100; ++k) {
            records.push_back(k % 2 ? kPlain : kAwkward);
            journal.stored(records);
        }
        EXPECT_EQ(registerFromJournal(slurp(journal.path())), dataFile(records));
        journal.settled();
        EXPECT_EQ(registerFromJournal(slurp(journal.path())), "");
        if (round == 1) {
            records.resize(3); // an earlier, shorter register: written afresh
            journal.stored(records);
            EXPECT_EQ(registerFromJournal(slurp(journal.path())), dataFile(records));
        }
        records.clear();
    }
    EXPECT_EQ(fs::file_size(journal.path()), 8192u);
    EXPECT_EQ(journal.lastError(), 0);
}

TEST(JournalReplay, OnlyTheJournalsOfEndedProgramsBecomeRecoveryFiles) {
    TempDir tmp;
    const std::string folder = (tmp.path / "Tarvelo").string();
    std::string livingPath;
    {
        JournalFile living(folder);
        living.stored(std::vector<RecordValues>{kPlain, kAwkward});
        livingPath = living.path();
        EXPECT_TRUE(recoverEndedJournals(folder, 1796000000).empty()) << "its program still runs";
        EXPECT_TRUE(fs::exists(livingPath));
    } // the program ends without a word: its file stays, unlocked

    // An ended program's journal cut short in its last line, and one with nothing.
    std::string cut = journalLine({1, kAwkward}) + journalLine({2, kPlain});
    cut.resize(cut.size() - 5);
    spit(tmp.path / "Tarvelo" / "registro-1-2.diario", cut);
    spit(tmp.path / "Tarvelo" / "registro-1-3.diario", "");
    spit(tmp.path / "Tarvelo" / "otro.diario", journalLine({1, kPlain})); // not a journal's name

    const std::vector<std::string> written = recoverEndedJournals(folder, 1796000000);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(slurp(written[0]), dataFile({kAwkward})) << "registro-1-2 sorts first";
    EXPECT_EQ(slurp(written[1]), dataFile({kPlain, kAwkward}));
    EXPECT_EQ(pendingRecoveries(folder), written) << "announced like any rescue";
    EXPECT_FALSE(fs::exists(livingPath));
    EXPECT_FALSE(fs::exists(tmp.path / "Tarvelo" / "registro-1-3.diario"));
    EXPECT_TRUE(fs::exists(tmp.path / "Tarvelo" / "otro.diario"));
    EXPECT_TRUE(recoverEndedJournals(folder, 1796000000).empty()) << "offered once";
}

// A journal locked by another process is left alone even while this one looks.
TEST(JournalReplay, LockedJournalOfAnotherProgramIsLeftAlone) {
    TempDir tmp;
    const std::string folder = (tmp.path / "Tarvelo").string();
    fs::create_directories(folder);
    const fs::path path = tmp.path / "Tarvelo" / "registro-7.diario";
    spit(path, journalLine({1, kPlain}));
    int fromChild[2];
    int toChild[2];
    ASSERT_EQ(::pipe(fromChild), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(path.c_str(), O_RDWR);
        char byte = ::flock(fd, LOCK_EX) == 0 ? 'L' : 'E';
        if (::write(fromChild[1], &byte, 1) != 1 || ::read(toChild[0], &byte, 1) != 1) ::_exit(1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(fromChild[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'L');
    EXPECT_TRUE(recoverEndedJournals(folder, 1796000000).empty());
    EXPECT_TRUE(fs::exists(path));
    ASSERT_EQ(::write(toChild[1], "x", 1), 1);
    ::waitpid(pid, nullptr, 0);
    EXPECT_EQ(recoverEndedJournals(folder, 1796000000).size(), 1u) << "its program has ended";
    for (const int fd : {fromChild[0], fromChild[1], toChild[0], toChild[1]}) ::close(fd);
}

TEST(SecondPlace, FolderTroubleIsSaidInSpanish) {
    TempDir tmp;
    spit(tmp.path / "fichero", "x");
    const std::string asFile = (tmp.path / "fichero").string();
    EXPECT_EQ(prepareRecoveryFolder(asFile, false), ENOTDIR);
    EXPECT_EQ(prepareRecoveryFolder((tmp.path / "fichero" / "Tarvelo").string(), false), ENOTDIR);
    EXPECT_EQ(prepareRecoveryFolder((tmp.path / "a" / "b").string(), false), 0) << "made when missing";

    // In the temporary folder only a folder of the user's own, closed to others.
    const fs::path shared = tmp.path / "tarvelo-compartida";
    EXPECT_EQ(prepareRecoveryFolder(shared.string(), true), 0);
    EXPECT_EQ(fs::status(shared).permissions() & fs::perms::all, fs::perms::owner_all);
    fs::permissions(shared, fs::perms::group_read | fs::perms::group_exec, fs::perm_options::add);
    EXPECT_EQ(prepareRecoveryFolder(shared.string(), true), EACCES) << "others may look in";
    fs::create_directory_symlink(tmp.path / "a", tmp.path / "enlace");
    EXPECT_EQ(prepareRecoveryFolder((tmp.path / "enlace").string(), true), ENOTDIR) << "a planted link";
    EXPECT_EQ(prepareRecoveryFolder((tmp.path / "enlace").string(), false), 0) << "the user's own link";

    EXPECT_EQ(secondPlaceNotice("/home/ana/.local/share/Tarvelo", ENOTDIR, "/tmp/tarvelo-1000"),
              "No se puede usar la carpeta de datos /home/ana/.local/share/Tarvelo (hay un fichero con ese "
              "nombre).\nLas medidas sin guardar se guardan en su lugar en la carpeta /tmp/tarvelo-1000.");
    EXPECT_EQ(secondPlaceNotice("/datos/Tarvelo", EACCES, ""),
              "No se puede usar la carpeta de datos /datos/Tarvelo (no hay permiso para escribir en ella).\n"
              "Tampoco hay otra carpeta donde guardar las medidas sin guardar: sálvelas con «Salvar» para no "
              "perderlas.");
    EXPECT_EQ(folderProblem(EROFS), "está en un disco de solo lectura");
    EXPECT_EQ(folderProblem(ENOSPC), "el disco está lleno");
}

// The notice is forgotten only for the files it named.
TEST(RecoveryFolder, FilesRescuedWhileTheNoticeIsOnScreenStayToBeTold) {
    TempDir tmp;
    const std::string folder = (tmp.path / "Tarvelo").string();
    const auto first = saveRecovery(folder, "1,300,0,0,0,0,0\r\n", 1796000000);
    ASSERT_TRUE(first);
    const std::vector<std::string> shown = pendingRecoveries(folder);
    EXPECT_EQ(pendingRecoveries(folder), shown) << "reading forgets nothing";
    const auto meanwhile = saveRecovery(folder, "1,301,0,0,0,0,0\r\n", 1796000001);
    ASSERT_TRUE(meanwhile);
    forgetRecoveries(folder, shown);
    EXPECT_EQ(pendingRecoveries(folder), std::vector<std::string>{*meanwhile});
}
