#pragma once
// The data file: one comma-separated line per record, written so that a failed
// save never leaves a half-written file behind.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace eh {

// Line k of the file, CR LF included: "1,300,9000,10,2.5,-1.25,1.25\r\n".
std::string formatDataLine(int recordNumber, const std::array<float, 6>& values);

struct FileError {
    int code;                // run-time error code, as reported to the user
    std::string description; // for codes outside the bench's own table
};

// Replaces `path` with `content`: written to a temporary file beside it, flushed to
// disk and then renamed over the target, so the old file survives any failure and
// no temporary file is left. A target that is a device or a pipe is written in place.
std::optional<FileError> writeFileReplacing(const std::string& path, std::string_view content);

} // namespace eh
