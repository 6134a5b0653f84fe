#include "datafile/OutputFile.h"

#include "datafile/DataFile.h"
#include "datafile/ErrorReport.h"

namespace eh {

std::optional<std::string> writeOutputFile(const std::string& path, std::string_view bytes) {
    const std::optional<FileError> failure = writeFileReplacing(path, bytes);
    if (!failure) return std::nullopt;
    std::string reason = errorMessage(failure->code, failure->description);
    // Some of the bench's texts end in a space, which a reason in a sentence does not want.
    while (!reason.empty() && reason.back() == ' ') reason.pop_back();
    return reason;
}

} // namespace eh
