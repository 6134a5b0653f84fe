#include "ui/analysis/SaveBytes.h"

#include <string_view>

#include "datafile/OutputFile.h"
#include "datafile/SameFile.h"

namespace eh::analysis {

bool saveBytes(const QString& path, const QByteArray& bytes, QString& error) {
    const auto reason =
        writeOutputFile(path.toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!reason) return true;
    error = QStringLiteral("No se puede escribir %1: %2").arg(path, QString::fromStdString(*reason));
    return false;
}

bool notAnOpenFile(const QString& path, const std::vector<std::string>& openFiles, QString& error) {
    for (const std::string& open : openFiles)
        if (sameFile(path.toStdString(), open)) {
            error = QStringLiteral("No se puede escribir %1: es uno de los ficheros de datos abiertos (%2)")
                        .arg(path, QString::fromStdString(open));
            return false;
        }
    return true;
}

} // namespace eh::analysis
