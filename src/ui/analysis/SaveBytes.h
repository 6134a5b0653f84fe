#pragma once
// The window's exports and the report reach the disk through the data file's writer.

#include <QByteArray>
#include <QString>

namespace eh::analysis {

// Replaces the content of `path` with `bytes`; false with "No se puede escribir …"
// and the reason in `error`.
bool saveBytes(const QString& path, const QByteArray& bytes, QString& error);

} // namespace eh::analysis
