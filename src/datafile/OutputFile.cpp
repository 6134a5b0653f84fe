#include "datafile/OutputFile.h"

#include <cerrno>

#include "datafile/FileWriting.h"
#include "datafile/SystemErrorText.h"

namespace eh {

std::optional<std::string> writeOutputFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) return "falta el nombre del fichero";
    int err = path.back() == '/' ? EISDIR : filewriting::replaceContent(path, bytes);
    if (err == filewriting::kNotAFileName) err = EISDIR;
    if (err == 0) return std::nullopt;
    return systemErrorText(err);
}

} // namespace eh
