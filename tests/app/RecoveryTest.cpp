// Unsaved measurements survive the program being ended from outside: a real program
// with a real bench gets a real signal, and the file it leaves is read back.
#include <fcntl.h>
#include <random>
#include <regex>
#include <sys/resource.h>

#include "CoreSupport.h"
#include "datafile/DataFile.h"
#include "datafile/JournalReplay.h"
#include "datafile/Recovery.h"

using namespace eh::test;

namespace {

// The bench program of RecoveryChild.cpp, its data folder under `home`; killed if the
// test ends before it does.
class Child {
public:
    Child(int records, const char* mode, const fs::path& home)
        : Child(std::to_string(records), mode, home, -1) {}
    // `out`: where its standard output goes (-1: where ours goes). Its standard error
    // goes to the file "stderr" in `home`, its temporary folder is "tmp" in `home`.
    Child(const std::string& first, const char* second, const fs::path& home, int out)
        : ready_(home / "ready") {
        fs::create_directories(home / "tmp");
        pid_ = ::fork();
        if (pid_ != 0) return;
        ::setenv("XDG_DATA_HOME", home.c_str(), 1);
        ::setenv("TMPDIR", (home / "tmp").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // SIGQUIT leaves no core file behind.
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        const int err = ::open((home / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err >= 0) ::dup2(err, STDERR_FILENO);
        if (out >= 0) ::dup2(out, STDOUT_FILENO);
        ::execl(RECOVERY_CHILD, RECOVERY_CHILD, first.c_str(), second, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ~Child() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    // Waits, at most 60 s, for the program to say it is ready.
    bool ready() const {
        for (int i = 0; i < 6000 && !fs::exists(ready_); ++i) ::usleep(10000);
        return fs::exists(ready_);
    }
    // Waits for the program to end by itself; its exit status, or -1.
    int exitStatus() {
        int status = 0;
        const bool ended = ::waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Sends `sig` and returns the signal that ended the program, or -1.
    int endWith(int sig) {
        int status = 0;
        const bool ended = ::kill(pid_, sig) == 0 && ::waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        return ended && WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    }

private:
    pid_t pid_;
    fs::path ready_;
};

} // namespace

// Record k of the child: 300 + k K, 9000 G, 10 mA, and 2.5 V, -1.25 V, 1.25 V over k.
TEST(Recovery, EndedProgramLeavesItsUnsavedRecordsOnce) {
    const std::string first = "1,301,9000,10,2.5,-1.25,1.25\r\n";
    const std::string third = "3,303,9000,10,0.8333333,-0.4166667,0.4166667\r\n";
    struct Row {
        const char* what;
        int records;
        const char* mode;
        int signal;
        int rescued; // records in the rescued file; 0: nothing may be written
        std::string last;
    };
    const Row rows[] = {
        {"three unsaved records, SIGTERM", 3, "none", SIGTERM, 3, third},
        {"three unsaved records, a message box open", 3, "dialog", SIGTERM, 3, third},
        {"one unsaved record, SIGHUP", 1, "none", SIGHUP, 1, first},
        {"three unsaved records, SIGINT (Ctrl+C)", 3, "none", SIGINT, 3, third},
        {"three unsaved records, SIGQUIT", 3, "none", SIGQUIT, 3, third},
        {"one unsaved record, SIGINT, a message box open", 1, "dialog", SIGINT, 1, first},
        {"a full register", 100, "none", SIGTERM, 100, "100,400,9000,10,0.025,-0.0125,0.0125\r\n"},
        {"nothing stored", 0, "none", SIGTERM, 0, ""},
        {"every record saved", 2, "saved", SIGTERM, 0, ""},
        {"nothing stored, a message box open", 0, "dialog", SIGHUP, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir home;
        const fs::path folder = home.path / "Tarvelo";
        Child child(row.records, row.mode, home.path);
        ASSERT_TRUE(child.ready());
        EXPECT_EQ(child.endWith(row.signal), row.signal) << "the program must still end by the signal";

        const std::vector<std::string> pending = eh::takePendingRecoveries(folder.string());
        if (row.rescued == 0) {
            EXPECT_TRUE(pending.empty());
            EXPECT_TRUE(entries(folder).empty()) << "something was written";
            continue;
        }
        ASSERT_EQ(pending.size(), 1u);
        const fs::path file = pending.front();
        EXPECT_EQ(file.parent_path(), folder);
        EXPECT_TRUE(std::regex_match(
            file.filename().string(),
            std::regex(R"(medidas-sin-guardar-20\d\d-[01]\d-[0-3]\d-[0-2]\d[0-5]\d[0-6]\d\.ASC)")))
            << file;
        const std::string content = slurp(file);
        EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), row.rescued);
        EXPECT_TRUE(content.starts_with(first) && content.ends_with(row.last)) << content.substr(0, 200);
        EXPECT_EQ(entries(folder), std::vector<std::string>{file.filename().string()})
            << "one file, and no notice left to repeat";
        EXPECT_TRUE(eh::takePendingRecoveries(folder.string()).empty()) << "told once";
    }
}

// The data folder is a plain file: the records go to a folder of the user's own in the
// temporary folder, and the program says so in Spanish, naming both.
TEST(Recovery, UnusableDataFolderSendsTheRecordsToTheSecondPlace) {
    TempDir home;
    spit(home.path / "Tarvelo", "not a folder");
    const fs::path second = home.path / "tmp" / ("tarvelo-" + std::to_string(::geteuid()));
    Child child(2, "none", home.path);
    ASSERT_TRUE(child.ready());
    EXPECT_EQ(child.endWith(SIGTERM), SIGTERM);

    EXPECT_EQ(slurp(home.path / "Tarvelo"), "not a folder");
    const std::vector<std::string> pending = eh::takePendingRecoveries(second.string());
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(fs::path(pending.front()).parent_path(), second);
    EXPECT_EQ(slurp(pending.front()), "1,301,9000,10,2.5,-1.25,1.25\r\n2,302,9000,10,1.25,-0.625,0.625\r\n");
    EXPECT_EQ(fs::status(second).permissions() & fs::perms::all, fs::perms::owner_all) << "others kept out";
    const std::string said = slurp(home.path / "stderr");
    EXPECT_NE(said.find("No se puede usar la carpeta de datos " + (home.path / "Tarvelo").string() +
                        " (hay un fichero con ese nombre).\n"
                        "Las medidas sin guardar se guardan en su lugar en la carpeta " +
                        second.string() + "."),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("las medidas sin guardar se han guardado en " + pending.front()), std::string::npos)
        << said;
}

// The notice counts as given only once the user closed it: a program ended while it
// is on screen shows it again at the next start.
TEST(Recovery, NoticeEndedOnScreenIsShownAgain) {
    TempDir home;
    const fs::path folder = home.path / "Tarvelo";
    const auto rescued = eh::saveRecovery(folder.string(), "1,301,9000,10,2.5,-1.25,1.25\r\n", 1796000000);
    ASSERT_TRUE(rescued);
    for (const int sig : {SIGTERM, SIGKILL}) {
        Child child(0, "notice", home.path);
        ASSERT_TRUE(child.ready());
        EXPECT_EQ(child.endWith(sig), sig);
        fs::remove(home.path / "ready");
        EXPECT_EQ(eh::pendingRecoveries(folder.string()), std::vector<std::string>{*rescued})
            << "ended by signal " << sig;
    }
    Child child(0, "notice-ok", home.path);
    ASSERT_TRUE(child.ready());
    EXPECT_EQ(child.endWith(SIGTERM), SIGTERM);
    EXPECT_TRUE(eh::pendingRecoveries(folder.string()).empty()) << "closed by the user: told";
}

namespace {

// What the register of a run of presses holds, as Salvar would write it, and whether
// any of it is unsaved.
struct Expected {
    std::vector<eh::RecordValues> records;
    bool unsaved = false;

    void press(char what, int n) {
        if (what == 'A' && records.size() < 100) {
            const auto f = static_cast<float>(n);
            // The values of RecoveryChild.cpp's press n, the field of a slider never moved.
            records.push_back({50.0f + f * 2.3456789f, 0.0f, 0.001f * f + 0.5f, 1.0f / (f + 3.0f),
                               -1e-5f * (f + 1.0f) / 7.0f, static_cast<float>(1e-5 * (n + 1) / 7.0)});
            unsaved = true;
        }
        if (what == 'I') records.clear();
        if (what == 'I' || what == 'S') unsaved = false;
    }
    // What the next start must offer: nothing, or the register as the data file holds it.
    std::string offered() const {
        std::string content;
        if (!unsaved) return content;
        for (std::size_t k = 0; k < records.size(); ++k)
            content += eh::formatDataLine(static_cast<int>(k + 1), records[k]);
        return content;
    }
};

} // namespace

// A run of 300 random presses killed at random moments: each time the next start
// offers exactly the records not saved, byte for byte as Salvar would have written them.
TEST(Recovery, KilledAtAnyMomentTheNextStartOffersTheUnsavedRecords) {
    std::mt19937 random(20261207);
    std::string presses;
    for (int n = 0; n < 300; ++n) {
        const auto roll = random() % 10;
        presses.push_back(roll < 7 ? 'A' : roll < 9 ? 'S' : 'I');
    }
    for (int run = 0; run < 12; ++run) {
        TempDir home;
        const fs::path folder = home.path / "Tarvelo";
        const int killAfter = static_cast<int>(random() % 300);
        SCOPED_TRACE("killed after press " + std::to_string(killAfter));
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        Child child("presses", presses.c_str(), home.path, pipe[1]);
        ::close(pipe[1]);
        int done = 0;
        char byte = 0;
        while (done < killAfter && ::read(pipe[0], &byte, 1) == 1) ++done;
        ASSERT_EQ(done, killAfter);
        EXPECT_EQ(child.endWith(SIGKILL), SIGKILL);
        while (::read(pipe[0], &byte, 1) == 1) ++done; // presses that ended before the kill
        ::close(pipe[0]);

        // The press under way when the kill came may or may not have reached the disk.
        Expected before;
        for (int n = 0; n < done; ++n) before.press(presses[static_cast<std::size_t>(n)], n);
        Expected after = before;
        if (done < 300) after.press(presses[static_cast<std::size_t>(done)], done);

        const std::vector<std::string> written = eh::recoverEndedJournals(folder.string(), 1796000000);
        EXPECT_EQ(written, eh::pendingRecoveries(folder.string()));
        const std::string offered = written.empty() ? std::string() : slurp(written.front());
        EXPECT_LE(written.size(), 1u);
        EXPECT_TRUE(offered == before.offered() || offered == after.offered())
            << "after " << done << " presses offered:\n"
            << offered << "\nexpected:\n"
            << before.offered();
        EXPECT_EQ(written.empty(), offered.empty()) << "an empty register is nothing to offer";
        for (const std::string& name : entries(folder))
            EXPECT_FALSE(name.ends_with(".diario")) << "the journal stays after it was turned into records";
        EXPECT_TRUE(eh::recoverEndedJournals(folder.string(), 1796000000).empty()) << "offered once";
    }
}

// The toolkit calls exit() when the display's connection breaks: the records are
// rescued on the way out.
TEST(Recovery, ExitFromInsideTheEventLoopRescues) {
    TempDir home;
    const fs::path folder = home.path / "Tarvelo";
    Child child(2, "exit", home.path);
    EXPECT_EQ(child.exitStatus(), 1);
    const std::vector<std::string> pending = eh::takePendingRecoveries(folder.string());
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(slurp(pending.front()), "1,301,9000,10,2.5,-1.25,1.25\r\n2,302,9000,10,1.25,-0.625,0.625\r\n");
    EXPECT_EQ(entries(folder), std::vector<std::string>{fs::path(pending.front()).filename().string()})
        << "no journal left to offer the records a second time";
}

// SIGKILL leaves the journal; the next start of the program turns it into a recovery
// file and shows the notice, again until the user closed it.
TEST(Recovery, KilledProgramsRecordsAreOfferedAtTheNextStart) {
    TempDir home;
    const fs::path folder = home.path / "Tarvelo";
    {
        Child killed(3, "none", home.path);
        ASSERT_TRUE(killed.ready());
        EXPECT_EQ(killed.endWith(SIGKILL), SIGKILL);
        fs::remove(home.path / "ready");
    }
    EXPECT_TRUE(eh::pendingRecoveries(folder.string()).empty()) << "nothing could be done at the kill";
    {
        Child next(0, "notice", home.path);
        ASSERT_TRUE(next.ready());
        EXPECT_EQ(next.endWith(SIGTERM), SIGTERM);
        fs::remove(home.path / "ready");
    }
    const std::vector<std::string> pending = eh::pendingRecoveries(folder.string());
    ASSERT_EQ(pending.size(), 1u);
    EXPECT_EQ(slurp(pending.front()), "1,301,9000,10,2.5,-1.25,1.25\r\n2,302,9000,10,1.25,-0.625,0.625\r\n"
                                      "3,303,9000,10,0.8333333,-0.4166667,0.4166667\r\n");
    Child third(0, "notice-ok", home.path);
    ASSERT_TRUE(third.ready());
    EXPECT_EQ(third.endWith(SIGTERM), SIGTERM);
    EXPECT_TRUE(eh::pendingRecoveries(folder.string()).empty());
    EXPECT_EQ(entries(folder), std::vector<std::string>{fs::path(pending.front()).filename().string()});
}
