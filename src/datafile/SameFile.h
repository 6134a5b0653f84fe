#pragma once
// Whether two names lead to one file, so that no output is written over an input or
// over another output by another spelling of its name.

#include <string>

namespace eh {

// True when `a` and `b` name the same file: the same device and inode for files that
// exist (hard links, symbolic links, "./x/../x" all count), the same path once links
// and "." and ".." are resolved for names not yet made.
bool sameFile(const std::string& a, const std::string& b);

} // namespace eh
