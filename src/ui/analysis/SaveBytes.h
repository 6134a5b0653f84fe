#pragma once
// The window's exports and the report reach the disk through the data file's writer.

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace eh::analysis {

// Replaces the content of `path` with `bytes`; false with "No se puede escribir …"
// and the reason in `error`.
bool saveBytes(const QString& path, const QByteArray& bytes, QString& error);

// False, with "No se puede escribir …: es uno de los ficheros de datos abiertos (…)" in
// `error`, when `path` is one of `openFiles` by any spelling: an export never replaces
// the measurements it was made from.
bool notAnOpenFile(const QString& path, const std::vector<std::string>& openFiles, QString& error);

} // namespace eh::analysis
