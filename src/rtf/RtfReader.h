#pragma once
// Loads RTF documents (the course chapters) into a QTextDocument for read-only display.
// Needs a QGuiApplication, since metafile pictures are drawn with fonts.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace eh {

// The largest document the reader accepts, in bytes. Course chapters are tens of
// kilobytes; anything this large loads, lays out and shows its first screen quickly.
inline constexpr qint64 kMaxRtfSize = 8LL * 1024 * 1024;

struct RtfLoadResult {
    bool ok = false;
    QString error; // why not, in Spanish, for the reader of the chapter; empty when ok
};

// Replaces the content of `doc` with the document in `data`. When the data is not RTF
// the document is left empty; when it is damaged (cut short, nested too deeply, too
// large) the document keeps what was read before the damage and ok is false.
RtfLoadResult loadRtf(const QByteArray& data, QTextDocument& doc);

// As loadRtf, for a file. A file over kMaxRtfSize is refused before it is read.
RtfLoadResult loadRtfFile(const QString& path, QTextDocument& doc);

} // namespace eh
