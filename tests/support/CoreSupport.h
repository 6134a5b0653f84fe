#pragma once
// What the bench, data-file and session tests share: a recording host, a started bench, a private
// folder on the real file system and a way to act there as an ordinary user (the tests
// run as root in CI, and permission bits do not bind root).

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/BenchModel.h"

namespace eh::test {

namespace fs = std::filesystem;

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

class FakeHost : public BenchHost {
public:
    std::vector<std::string> messages, titles;
    std::vector<SaveDialogRequest> dialogs;
    std::optional<std::string> answer; // what the save dialog returns
    std::vector<bool> pointer;         // every busy-pointer change, in order

    void showMessage(const std::string& text, const std::string& title) override {
        messages.push_back(text);
        titles.push_back(title);
    }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest& request) override {
        dialogs.push_back(request);
        return answer;
    }
    void setBusyPointer(bool busy) override { pointer.push_back(busy); }
};

// A started bench whose noise term is zero.
class BenchTest : public ::testing::Test {
protected:
    explicit BenchTest(char separator = '.') : bench(host, separator) {
        bench.setChangeListener([this](WidgetId id) { changes.push_back(id); });
        bench.Form_Load();
        bench.Rnd = [] { return 0.5f; };
        changes.clear();
    }
    const std::string& text(std::string_view name) const { return bench.widget(name).text; }
    void press(void (BenchModel::*op)(), int times = 1) {
        for (int i = 0; i < times; ++i) (bench.*op)();
    }

    FakeHost host;
    BenchModel bench;
    std::vector<WidgetId> changes;
};

inline std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void spit(const fs::path& p, const std::string& content) {
    std::ofstream(p, std::ios::binary) << content;
}

// Runs `body` in a child process, as the user nobody when asked and this process is
// root. Returns what it returned (0..255), 128 + the signal that ended it, or -1.
inline int forked(const std::function<int()>& body, bool ordinaryUser = false) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (ordinaryUser && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(250);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// A private folder, searchable by the ordinary user of `forked`, removed with all in it.
struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tarvelo-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// The sorted names in `folder`.
inline std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (auto& e : fs::directory_iterator(folder, ignored)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace eh::test
