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
// Returned by replaceContent when a link leads to a name that can only be a folder's.
inline constexpr int kNotAFileName = -2;

// Follows symbolic links from `path` until it names something that is not a link, or
// nothing at all (the target of a dangling link). A link under /proc is the kernel's
// name for an open file (/dev/stdout leads to one) whose text need not be a path: it
// is not followed further.
int resolveLinks(std::string& path);
// Whether `path` is such a link of the kernel's.
bool isKernelLink(const std::string& path);

// Puts `content` in place of what `path` names, keeping what it is (see
// writeFileReplacing). `path` is not empty.
int replaceContent(const std::string& path, std::string_view content);

// Every file and folder the writer puts on disk goes through this; a test may watch
// when the syncs happen.
extern int (*syncToDisk)(int fd);

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
