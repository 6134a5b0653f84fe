#include "datafile/Recovery.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "datafile/DataFile.h"
#include "datafile/SystemErrorText.h"

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

std::vector<std::string> pendingNames(const std::string& folder) {
    std::vector<std::string> names;
    std::ifstream in(join(folder, kPendingList));
    for (std::string name; std::getline(in, name);)
        if (!name.empty() && name.find('/') == std::string::npos) names.push_back(name);
    return names;
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

std::vector<std::string> pendingRecoveries(const std::string& folder) {
    std::vector<std::string> paths;
    for (const std::string& name : pendingNames(folder)) {
        const std::string path = join(folder, name);
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) paths.push_back(path);
    }
    return paths;
}

void forgetRecoveries(const std::string& folder, const std::vector<std::string>& paths) {
    std::vector<std::string> kept;
    // Names of files removed meanwhile go too.
    for (const std::string& path : pendingRecoveries(folder))
        if (std::find(paths.begin(), paths.end(), path) == paths.end())
            kept.push_back(path.substr(path.rfind('/') + 1));
    const std::string list = join(folder, kPendingList);
    if (kept.empty()) {
        ::unlink(list.c_str());
        return;
    }
    std::string content;
    for (const std::string& name : kept) content += name + "\n";
    const std::string fresh = list + ".nueva";
    ::unlink(fresh.c_str());
    if (!writeNewFile(fresh, content)) ::rename(fresh.c_str(), list.c_str());
}

std::vector<std::string> takePendingRecoveries(const std::string& folder) {
    std::vector<std::string> paths = pendingRecoveries(folder);
    forgetRecoveries(folder, paths);
    return paths;
}

int prepareRecoveryFolder(const std::string& folder, bool inSharedPlace) {
    if (inSharedPlace) {
        // Made closed to others from the first moment.
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    } else {
        std::error_code err;
        std::filesystem::create_directories(folder, err);
        if (err) return err.value();
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return errno;
    if (S_ISLNK(st.st_mode) && !inSharedPlace && ::stat(folder.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    // Anyone may make a name in the temporary folder: only a folder of our own, that
    // nobody else can look into, is trusted with the records.
    if (inSharedPlace && (st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)) return EACCES;
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return errno;
    return 0;
}

std::string folderProblem(int err) {
    switch (err) {
    case ENOTDIR:
    case EEXIST:
        return "hay un fichero con ese nombre";
    case EACCES:
    case EPERM:
        return "no hay permiso para escribir en ella";
    case EROFS:
        return "está en un disco de solo lectura";
    case ENOSPC:
    case EDQUOT:
        return "el disco está lleno";
    case ELOOP:
        return "hay un bucle de enlaces simbólicos";
    case ENAMETOOLONG:
        return "el nombre es demasiado largo";
    case ENOENT:
        return "falta una carpeta del camino";
    default:
        return systemErrorText(err);
    }
}

std::string secondPlaceNotice(const std::string& folder, int err, const std::string& second) {
    std::string text = "No se puede usar la carpeta de datos " + folder + " (" + folderProblem(err) + ").\n";
    if (second.empty())
        return text + "Tampoco hay otra carpeta donde guardar las medidas sin guardar: "
                      "sálvelas con «Salvar» para no perderlas.";
    return text + "Las medidas sin guardar se guardan en su lugar en la carpeta " + second + ".";
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
