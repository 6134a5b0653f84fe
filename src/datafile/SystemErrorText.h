#pragma once
// What a failed system call means, in the Spanish every program speaks: one text for
// each failure a user can meet while reading or writing a file.

#include <string>

namespace eh {

// "no existe la carpeta o el fichero" for ENOENT, ..., and "error del sistema número 5" for a
// failure without a text of its own.
std::string systemErrorText(int err);

} // namespace eh
