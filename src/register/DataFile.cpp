#include "register/DataFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/NumberFormat.h"
#include "register/ErrorReport.h"

namespace eh {
namespace {

FileError errorFromErrno(int err) {
    int code;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        code = 76;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        code = 75;
        break;
    case ENAMETOOLONG:
        code = 52;
        break;
    case EINVAL:
    case EILSEQ:
        code = 64;
        break;
    case ENXIO:
    case ENODEV:
    case EBUSY:
    case EAGAIN:
        code = 71;
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        code = 61;
        break;
    case EMFILE:
    case ENFILE:
        code = 67;
        break;
    default:
        code = 57;
        break;
    }
    return {code, faultDescription(code)};
}

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::optional<FileError> writeInPlace(const std::string& path, std::string_view content) {
    // Non-blocking so that a pipe without a reader fails instead of hanging.
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errorFromErrno(errno);
    const bool ok = writeAll(fd, content);
    const int err = errno;
    if (::close(fd) != 0 && ok) return errorFromErrno(errno);
    if (!ok) return errorFromErrno(err);
    return std::nullopt;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string formatDataLine(int recordNumber, const std::array<float, 6>& values) {
    std::string line = std::to_string(recordNumber);
    for (float v : values) {
        line.push_back(',');
        line += formatDataValue(v);
    }
    line += "\r\n";
    return line;
}

std::optional<FileError> writeFileReplacing(const std::string& requested, std::string_view content) {
    if (requested.empty() || requested.back() == '/') return FileError{52, faultDescription(52)};

    // Save through a link to the file it names, keeping the link.
    std::string path = requested;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) path = resolved;
    }
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return errorFromErrno(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) return writeInPlace(path, content);
    if (exists && ::access(path.c_str(), W_OK) != 0) return errorFromErrno(errno);

    std::string temp = folderOf(path) + "/.tarvelo-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return errorFromErrno(errno);

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return std::optional<FileError>(errorFromErrno(err));
    };
    if (::fchmod(fd, exists ? (st.st_mode & 07777) : newFileMode()) != 0) return fail(errno);
    if (!writeAll(fd, content)) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return errorFromErrno(err);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return errorFromErrno(err);
    }
    return std::nullopt;
}

} // namespace eh
