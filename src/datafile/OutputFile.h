#pragma once
// Any file a program writes besides the bench's data file (tables, fits, reports,
// pictures) goes through the data file's writer: links followed, never half a file.

#include <optional>
#include <string>
#include <string_view>

namespace eh {

// Replaces the content of `path` with `bytes` as the data file is saved; on failure
// the reason in Spanish ("no existe la carpeta o el fichero", ...).
std::optional<std::string> writeOutputFile(const std::string& path, std::string_view bytes);

} // namespace eh
