#include "register/DataFile.h"

#include <cerrno>
#include <sys/stat.h>

#include "model/NumberFormat.h"
#include "register/ErrorReport.h"
#include "register/FileWriting.h"

namespace eh {
namespace {

int codeForErrno(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        return 76;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return 75;
    case ENAMETOOLONG:
        return 52;
    case EINVAL:
    case EILSEQ:
        return 64;
    case ENXIO:
    case ENODEV:
    case EBUSY:
    case EAGAIN:
        return 71;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 61;
    case EMFILE:
    case ENFILE:
        return 67;
    default:
        return 57;
    }
}

std::optional<FileError> outcome(int err) {
    if (err == 0) return std::nullopt;
    return fileErrorFromErrno(err);
}

} // namespace

FileError fileErrorFromErrno(int err) {
    const int code = codeForErrno(err);
    return {code, faultDescription(code)};
}

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
    using namespace filewriting;
    // A name ending in a slash names a folder, never a data file.
    if (requested.empty() || requested.back() == '/') return FileError{52, faultDescription(52)};

    std::string path = requested;
    if (const int err = resolveLinks(path)) return fileErrorFromErrno(err);
    if (path.empty() || path.back() == '/') return FileError{52, faultDescription(52)};

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return fileErrorFromErrno(errno);
        return outcome(replaceByRename(path, content, nullptr));
    }
    if (S_ISDIR(st.st_mode)) return fileErrorFromErrno(EISDIR);
    if (!S_ISREG(st.st_mode)) return outcome(writeToStream(path, content));
    if (replaceableByRename(path, st)) {
        const int err = replaceByRename(path, content, &st);
        if (err != kKeepInPlace) return outcome(err);
    }
    return outcome(writeInPlaceKeepingCopy(path, content));
}

std::optional<FileError> writeNewFile(const std::string& path, std::string_view content) {
    if (path.empty() || path.back() == '/') return FileError{52, faultDescription(52)};
    return outcome(filewriting::replaceByRename(path, content, nullptr));
}

} // namespace eh
