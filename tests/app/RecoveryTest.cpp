// Unsaved measurements survive the program being ended from outside: a real program
// with a real bench gets a real signal, and the file it leaves is read back.
#include <regex>

#include "CoreSupport.h"
#include "datafile/Recovery.h"

using namespace eh::test;

namespace {

// The bench program of RecoveryChild.cpp, its data folder under `home`; killed if the
// test ends before it does.
class Child {
public:
    Child(int records, const char* mode, const fs::path& home) : ready_(home / "ready") {
        pid_ = ::fork();
        if (pid_ != 0) return;
        ::setenv("XDG_DATA_HOME", home.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::string count = std::to_string(records);
        ::execl(RECOVERY_CHILD, RECOVERY_CHILD, count.c_str(), mode, static_cast<char*>(nullptr));
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
