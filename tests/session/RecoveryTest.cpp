// Unsaved measurements survive the program being ended from outside: a real program
// with a real bench gets a real signal, and the file it leaves is read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "../core/FileSystemFixture.h"
#include "register/Recovery.h"

namespace fs = std::filesystem;

namespace {

using eh::test::slurp;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tarvelo-rec-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ignored;
    for (auto& e : fs::directory_iterator(folder, ignored)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The bench program of RecoveryChild.cpp, running with its data folder under `home`.
class Child {
public:
    Child(int records, const char* mode, const fs::path& home) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::setenv("XDG_DATA_HOME", home.c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("TARVELO_TEST_SAVE_AS", (home / "guardado.ASC").c_str(), 1);
            const std::string count = std::to_string(records);
            ::execl(RECOVERY_CHILD, RECOVERY_CHILD, count.c_str(), mode, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
    }
    ~Child() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }

    // Waits, at most 60 s, for the program to say it is ready.
    bool ready() {
        std::string said;
        pollfd p{out_, POLLIN, 0};
        while (said.find("ready\n") == std::string::npos) {
            if (::poll(&p, 1, 60000) != 1) return false;
            char buffer[256];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0) return false;
            said.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    // Sends `sig` and returns the signal that ended the program, or -1.
    int endWith(int sig) {
        ::kill(pid_, sig);
        int status = 0;
        if (::waitpid(pid_, &status, 0) != pid_) return -1;
        reaped_ = true;
        return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool reaped_ = false;
};

const std::string kOneRecord = "1,301,9000,10,2.5,-1.25,1.25\r\n";
const std::string kThreeRecords = "1,301,9000,10,2.5,-1.25,1.25\r\n"
                                  "2,302,9000,10,1.25,-0.625,0.625\r\n"
                                  "3,303,9000,10,0.8333333,-0.4166667,0.4166667\r\n";

} // namespace

TEST(Recovery, EndedProgramLeavesItsUnsavedRecordsOnce) {
    struct Row {
        const char* what;
        int records;
        const char* mode;
        int signal;
        std::string rescued; // "" when nothing may be written
    };
    const Row rows[] = {
        {"three unsaved records, SIGTERM", 3, "none", SIGTERM, kThreeRecords},
        {"three unsaved records, a message box open", 3, "dialog", SIGTERM, kThreeRecords},
        {"one unsaved record, SIGHUP", 1, "none", SIGHUP, kOneRecord},
        {"nothing stored", 0, "none", SIGTERM, ""},
        {"every record saved", 2, "saved", SIGTERM, ""},
        {"nothing stored, a message box open", 0, "dialog", SIGHUP, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder home;
        const fs::path folder = home.path / "Tarvelo";
        Child child(row.records, row.mode, home.path);
        ASSERT_TRUE(child.ready());
        EXPECT_EQ(child.endWith(row.signal), row.signal) << "the program must still end by the signal";

        const std::vector<std::string> pending = eh::takePendingRecoveries(folder.string());
        if (row.rescued.empty()) {
            EXPECT_TRUE(pending.empty());
            EXPECT_FALSE(fs::exists(folder) && !fs::is_empty(folder)) << "something was written";
            continue;
        }
        ASSERT_EQ(pending.size(), 1u);
        const fs::path file = pending.front();
        EXPECT_EQ(file.parent_path(), folder);
        EXPECT_TRUE(std::regex_match(
            file.filename().string(),
            std::regex(R"(medidas-sin-guardar-20\d\d-[01]\d-[0-3]\d-[0-2]\d[0-5]\d[0-6]\d\.ASC)")))
            << file;
        EXPECT_EQ(slurp(file), row.rescued);
        EXPECT_EQ(filesIn(folder), std::vector<fs::path>{file}) << "one file, and no notice left to repeat";
        EXPECT_TRUE(eh::takePendingRecoveries(folder.string()).empty()) << "told once";
    }
}

TEST(Recovery, FullRegisterIsRescuedWhole) {
    TempFolder home;
    Child child(100, "none", home.path);
    ASSERT_TRUE(child.ready());
    ASSERT_EQ(child.endWith(SIGTERM), SIGTERM);
    const std::vector<std::string> pending = eh::takePendingRecoveries((home.path / "Tarvelo").string());
    ASSERT_EQ(pending.size(), 1u);
    const std::string content = slurp(pending.front());
    EXPECT_EQ(content.substr(0, kThreeRecords.size()), kThreeRecords);
    const std::string last = "100,400,9000,10,0.025,-0.0125,0.0125\r\n";
    ASSERT_GE(content.size(), last.size());
    EXPECT_EQ(content.substr(content.size() - last.size()), last);
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 100);
}
