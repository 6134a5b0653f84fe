#include "rtf/RtfReader.h"

#include "rtf/RtfParser.h"

#include <QFile>
#include <QTextDocument>

namespace eh {

namespace {

bool looksLikeRtf(const QByteArray& data) {
    qsizetype i = 0;
    if (data.startsWith("\xEF\xBB\xBF")) i = 3;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n')) ++i;
    return data.mid(i, 5) == "{\\rtf";
}

QString tooLarge() {
    return QStringLiteral("ocupa más de %1 MB, demasiado para un documento")
        .arg(kMaxRtfSize / (qint64{1024} * 1024));
}

} // namespace

RtfLoadResult loadRtf(const QByteArray& data, QTextDocument& doc) {
    doc.clear();
    doc.setUndoRedoEnabled(false); // shown read-only; an undo history would double the memory
    if (data.size() > kMaxRtfSize) return {false, tooLarge()};
    if (!looksLikeRtf(data)) return {false, QStringLiteral("no es un documento RTF")};
    rtf::RtfParser parser(data, doc);
    const bool ok = parser.parse();
    return {ok, parser.error()};
}

RtfLoadResult loadRtfFile(const QString& path, QTextDocument& doc) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.clear();
        return {false, QStringLiteral("no se puede abrir (%1)").arg(file.errorString())};
    }
    // Refused before reading: a file that is too large costs nothing to turn away. Files
    // without a size (pipes) are read one byte past the limit to find out.
    if (file.size() > kMaxRtfSize) {
        doc.clear();
        return {false, tooLarge()};
    }
    const QByteArray data = file.read(kMaxRtfSize + 1);
    if (file.error() != QFileDevice::NoError) {
        doc.clear();
        return {false, QStringLiteral("no se puede leer (%1)").arg(file.errorString())};
    }
    if (data.size() > kMaxRtfSize) {
        doc.clear();
        return {false, tooLarge()};
    }
    return loadRtf(data, doc);
}

} // namespace eh
