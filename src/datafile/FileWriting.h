#pragma once
// The ways the data file writer puts bytes on disk. Each returns 0 on success or the
// system error number of the failure.

#include <string>
#include <string_view>
#include <sys/stat.h>

namespace eh::filewriting {

// Returned by replaceByRename when a new file could not take on the old one's group:
// the caller writes in place instead, so that nothing about the file changes.
inline constexpr int kKeepInPlace = -1;

// Follows symbolic links from `path` until it names something that is not a link, or
// nothing at all (the target of a dangling link).
int resolveLinks(std::string& path);

// Whether `path` (a regular file described by `st`) may be replaced by a new file
// renamed over it without changing its owner or its other names.
bool replaceableByRename(const std::string& path, const struct stat& st);

// Writes the complete content to a new file in the folder of `path` and then gives
// it that name: over the old file `old` describes (its group and permission bits are
// carried over), or as a new name when `old` is null.
int replaceByRename(const std::string& path, std::string_view content, const struct stat* old);

// Overwrites an existing file, after reading its old content, which is put back when
// the write fails.
int writeInPlaceKeepingCopy(const std::string& path, std::string_view content);

// Writes to a device or a pipe; a pipe without a reader fails instead of waiting.
int writeToStream(const std::string& path, std::string_view content);

} // namespace eh::filewriting
