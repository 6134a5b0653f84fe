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

} // namespace

RtfLoadResult loadRtf(const QByteArray& data, QTextDocument& doc) {
    doc.clear();
    if (data.size() > kMaxRtfSize) return {false, QStringLiteral("the document is too large")};
    if (!looksLikeRtf(data)) return {false, QStringLiteral("not an RTF document")};
    rtf::RtfParser parser(data, doc);
    const bool ok = parser.parse();
    return {ok, parser.error()};
}

RtfLoadResult loadRtfFile(const QString& path, QTextDocument& doc) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.clear();
        return {false, QStringLiteral("cannot open %1: %2").arg(path, file.errorString())};
    }
    // Refused before reading: a file that is too large costs nothing to turn away. Files
    // without a size (pipes) are read one byte past the limit to find out.
    if (file.size() > kMaxRtfSize) {
        doc.clear();
        return {false, QStringLiteral("%1 is too large to be a document").arg(path)};
    }
    const QByteArray data = file.read(kMaxRtfSize + 1);
    if (file.error() != QFileDevice::NoError) {
        doc.clear();
        return {false, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    }
    if (data.size() > kMaxRtfSize) {
        doc.clear();
        return {false, QStringLiteral("%1 is too large to be a document").arg(path)};
    }
    RtfLoadResult result = loadRtf(data, doc);
    if (!result.ok) result.error = path + QStringLiteral(": ") + result.error;
    return result;
}

} // namespace eh
