#pragma once
// The data file: one comma-separated line per record, written so that a failed
// save never leaves a half-written file behind.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/ErrorCode.h"

namespace eh {

// Line k of the file, CR LF included: "1,300,9000,10,2.5,-1.25,1.25\r\n".
std::string formatDataLine(int recordNumber, const std::array<float, 6>& values);

struct FileError {
    ErrorCode code;          // run-time error code, as reported to the user
    std::string description; // for codes outside the bench's own table
};

// The run-time error a system error number stands for.
FileError fileErrorFromErrno(int err);

// Replaces the content of `path` with `content`, keeping what the file is: a symbolic
// link is followed to its target (a dangling one gets its target created), and the
// target keeps its owner, group, permission bits and other hard links.
//  - A regular file with one link, owned by the user, in a folder the user may write:
//    the new content goes to a new file beside it, which is renamed over it only when
//    complete and on disk, so the old file survives any failure.
//  - Any other existing regular file: written in place, after its old content was
//    copied; the copy is put back when the write fails.
//  - A missing file: created whole or not at all.
//  - A device or a pipe: written in place.
// The unfinished new file has no name where the system allows it, so a process killed
// mid-save leaves no temporary file behind.
std::optional<FileError> writeFileReplacing(const std::string& path, std::string_view content);

// Creates `path`, which must not exist yet, with `content`, on disk when it returns.
std::optional<FileError> writeNewFile(const std::string& path, std::string_view content);

} // namespace eh
