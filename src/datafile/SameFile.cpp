#include "datafile/SameFile.h"

#include <filesystem>
#include <sys/stat.h>

#include "datafile/FileWriting.h"

namespace eh {
namespace {

// Where a name not yet made would be created: links followed as the writer follows
// them, then the folders resolved.
std::string placeOf(const std::string& name) {
    std::string path = name;
    filewriting::resolveLinks(path); // on failure the name as given is the best guess
    std::error_code ignored;
    // Made absolute first: the working folder counts as a folder that exists.
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ignored);
    return (resolved.empty() ? absolute : resolved).lexically_normal().string();
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    const bool aExists = ::stat(a.c_str(), &sa) == 0;
    const bool bExists = ::stat(b.c_str(), &sb) == 0;
    if (aExists != bExists) return false;
    if (aExists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return placeOf(a) == placeOf(b);
}

} // namespace eh
