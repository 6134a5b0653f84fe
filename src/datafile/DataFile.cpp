#include "datafile/DataFile.h"

#include <cerrno>
#include <sys/stat.h>

#include "datafile/ErrorReport.h"
#include "datafile/FileWriting.h"
#include "model/NumberFormat.h"

namespace eh {
namespace {

ErrorCode codeForErrno(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        return ErrorCode::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return ErrorCode::PathFileAccess;
    case ENAMETOOLONG:
        return ErrorCode::BadFileNameOrNumber;
    case EINVAL:
    case EILSEQ:
        return ErrorCode::BadFileName;
    case ENXIO:
    case ENODEV:
    case EBUSY:
    case EAGAIN:
        return ErrorCode::DiskNotReady;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorCode::DiskFull;
    case EMFILE:
    case ENFILE:
        return ErrorCode::TooManyFiles;
    default:
        return ErrorCode::DeviceInputOutput;
    }
}

// A name that can never be a data file's.
FileError badName() {
    return {ErrorCode::BadFileNameOrNumber, faultDescription(ErrorCode::BadFileNameOrNumber)};
}

std::optional<FileError> outcome(int err) {
    if (err == 0) return std::nullopt;
    if (err == filewriting::kNotAFileName) return badName();
    return fileErrorFromErrno(err);
}

} // namespace

FileError fileErrorFromErrno(int err) {
    const ErrorCode code = codeForErrno(err);
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
    // A name ending in a slash names a folder, never a data file.
    if (requested.empty() || requested.back() == '/') return badName();
    return outcome(filewriting::replaceContent(requested, content));
}

std::optional<FileError> writeNewFile(const std::string& path, std::string_view content) {
    if (path.empty() || path.back() == '/') return badName();
    return outcome(filewriting::replaceByRename(path, content, nullptr));
}

} // namespace eh
