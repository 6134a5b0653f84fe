#include "ui/analysis/SaveBytes.h"

#include <string_view>

#include "datafile/OutputFile.h"

namespace eh::analysis {

bool saveBytes(const QString& path, const QByteArray& bytes, QString& error) {
    const auto reason =
        writeOutputFile(path.toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!reason) return true;
    error = QStringLiteral("No se puede escribir %1: %2").arg(path, QString::fromStdString(*reason));
    return false;
}

} // namespace eh::analysis
