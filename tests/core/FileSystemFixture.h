#pragma once
// A private folder on the real file system, and a way to act there as an ordinary
// user: the tests run as root in CI, and permission bits do not bind root.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace eh::test {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNogroup = 65534;

inline std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void spit(const std::filesystem::path& p, const std::string& content) {
    std::ofstream(p, std::ios::binary) << content;
}

inline struct stat statOf(const std::filesystem::path& p) {
    struct stat st {};
    ::lstat(p.c_str(), &st);
    return st;
}

// Runs `body` in a child process, as the user nobody when this process is root, and
// returns what it returned (0..255), or -1 when the child did not exit normally.
inline int runAsOrdinaryUser(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0))
            ::_exit(250);
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class TempFolderTest : public ::testing::Test {
protected:
    TempFolderTest() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvelo-fs-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) dir = pattern;
        // Searchable by the ordinary user of runAsOrdinaryUser.
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all |
                                              std::filesystem::perms::group_exec |
                                              std::filesystem::perms::others_exec);
    }
    ~TempFolderTest() override {
        std::error_code ignored;
        for (auto& e : std::filesystem::recursive_directory_iterator(dir, ignored))
            if (e.is_directory(ignored) && !e.is_symlink(ignored))
                std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir, ignored);
    }
    std::vector<std::string> entries(const std::filesystem::path& folder) const {
        std::vector<std::string> names;
        for (auto& e : std::filesystem::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static bool root() { return ::geteuid() == 0; }

    std::filesystem::path dir;
};

} // namespace eh::test
