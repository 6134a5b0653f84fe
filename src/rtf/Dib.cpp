#include "rtf/Dib.h"
#include "rtf/WmfRecords.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdlib>

namespace eh::rtf {

namespace {

constexpr int kMaxDecodedSide = 16384;
constexpr int kMaxSide = 4096;

void appendU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

QImage readImageLimited(const QByteArray& data, const char* format) {
    QByteArray copy = data; // QBuffer wants a non-const array; this is a cheap shared copy
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format ? QByteArray(format) : QByteArray());
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxDecodedSide || size.height() > kMaxDecodedSide)) return {};
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        reader.setScaledSize(size.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.width() > kMaxSide || image.height() > kMaxSide)
        image = image.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

QImage decodeDib(const QByteArray& dib) {
    const wmf::Params p(dib.constData(), dib.size());
    const quint32 headerSize = p.u32(0);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    qint64 paletteBytes = 0;
    if (headerSize == 12) {
        width = p.u16(2);
        height = p.u16(3);
        bits = p.u16(5);
        paletteBytes = bits <= 8 ? (qint64(1) << bits) * 3 : 0;
    } else if (headerSize >= 40 && headerSize <= 124) {
        width = qint32(p.u32(2));
        height = qint32(p.u32(4));
        bits = p.u16(7);
        const quint32 compression = p.u32(8);
        const quint32 used = p.u32(16);
        qint64 entries = used != 0 ? qint64(used) : bits <= 8 ? (qint64(1) << bits) : 0;
        if (entries > 256) return {};
        paletteBytes = entries * 4;
        if (compression == 3 && headerSize == 40) // BI_BITFIELDS masks follow the header
            paletteBytes += 12;
    } else {
        return {};
    }
    if (width <= 0 || height == 0 || width > kMaxDecodedSide || std::abs(height) > kMaxDecodedSide ||
        bits > 32)
        return {};
    const qint64 bitsOffset = 14 + qint64(headerSize) + paletteBytes;
    if (bitsOffset > 14 + dib.size()) return {};
    QByteArray file("BM");
    appendU32(file, quint32(14 + dib.size()));
    appendU32(file, 0);
    appendU32(file, quint32(bitsOffset));
    file.append(dib);
    return readImageLimited(file, "bmp");
}

} // namespace eh::rtf
