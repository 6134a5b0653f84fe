#include "datafile/Recovery.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/DataFile.h"

namespace eh {
namespace {

// The names of the rescued files not yet announced, one a line. Only our own names
// are kept, so that no path can break the list.
constexpr const char* kPendingList = "recuperaciones-pendientes";

std::string join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool notePending(const std::string& folder, const std::string& name) {
    const int fd =
        ::open(join(folder, kPendingList).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const std::string line = name + "\n";
    const bool ok =
        ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

std::string recoveryFileName(const std::tm& t) {
    char name[64];
    std::snprintf(name, sizeof name, "medidas-sin-guardar-%04d-%02d-%02d-%02d%02d%02d.ASC", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return name;
}

std::optional<std::string> saveRecovery(const std::string& folder, std::string_view content,
                                        std::time_t now) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::tm local{};
    ::localtime_r(&now, &local);
    const std::string base = recoveryFileName(local);
    // Two rescues in one second get "-2", "-3", ... before the extension.
    for (int n = 1; n < 100; ++n) {
        const std::string name =
            n == 1 ? base : base.substr(0, base.size() - 4) + "-" + std::to_string(n) + ".ASC";
        const std::string path = join(folder, name);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) continue;
        if (writeNewFile(path, content)) return std::nullopt;
        notePending(folder, name);
        return path;
    }
    return std::nullopt;
}

std::vector<std::string> takePendingRecoveries(const std::string& folder) {
    const std::string list = join(folder, kPendingList);
    std::vector<std::string> paths;
    {
        std::ifstream in(list);
        for (std::string name; std::getline(in, name);) {
            if (name.empty() || name.find('/') != std::string::npos) continue;
            const std::string path = join(folder, name);
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) paths.push_back(path);
        }
    }
    ::unlink(list.c_str());
    return paths;
}

std::string recoveryNotice(const std::vector<std::string>& paths) {
    std::ostringstream text;
    if (paths.size() == 1)
        text << "La última vez el programa terminó con medidas sin guardar.\n"
                "Se han guardado en el fichero:\n\n";
    else
        text << "Las últimas veces el programa terminó con medidas sin guardar.\n"
                "Se han guardado en los ficheros:\n\n";
    for (const std::string& path : paths) text << path << '\n';
    std::string s = text.str();
    if (!s.empty()) s.pop_back();
    return s;
}

} // namespace eh
