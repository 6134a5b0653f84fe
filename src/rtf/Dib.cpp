#include "rtf/Dib.h"
#include "rtf/WmfRecords.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdlib>
#include <optional>

namespace eh::rtf {

namespace {

constexpr int kMaxDecodedSide = 16384;
constexpr int kMaxSide = 4096;

void appendU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

QImage readImageLimited(const QByteArray& data, const char* format, qint64 maxPixels) {
    QByteArray copy = data; // QBuffer wants a non-const array; this is a cheap shared copy
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format ? QByteArray(format) : QByteArray());
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxDecodedSide || size.height() > kMaxDecodedSide) return {};
    if (maxPixels != kUnlimitedPixels && qint64(size.width()) * size.height() > maxPixels) return {};
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        reader.setScaledSize(size.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.width() > kMaxSide || image.height() > kMaxSide)
        image = image.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

namespace {

struct DibHeader {
    qint64 width = 0;
    qint64 height = 0; // negative: rows run top down
    qint64 bitsOffset = 0;
};

std::optional<DibHeader> readDibHeader(const QByteArray& dib) {
    const wmf::Params p(dib.constData(), dib.size());
    const quint32 headerSize = p.u32(0);
    DibHeader h;
    int bits = 0;
    qint64 paletteBytes = 0;
    if (headerSize == 12) {
        h.width = p.u16(2);
        h.height = p.u16(3);
        bits = p.u16(5);
        paletteBytes = bits <= 8 ? (qint64(1) << bits) * 3 : 0;
    } else if (headerSize >= 40 && headerSize <= 124) {
        h.width = qint32(p.u32(2));
        h.height = qint32(p.u32(4));
        bits = p.u16(7);
        const quint32 compression = p.u32(8);
        const quint32 used = p.u32(16);
        qint64 entries = used != 0 ? qint64(used) : bits <= 8 ? (qint64(1) << bits) : 0;
        if (entries > 256) return std::nullopt;
        paletteBytes = entries * 4;
        if (compression == 3 && headerSize == 40) // BI_BITFIELDS masks follow the header
            paletteBytes += 12;
    } else {
        return std::nullopt;
    }
    if (h.width <= 0 || h.height == 0 || h.width > kMaxDecodedSide || std::abs(h.height) > kMaxDecodedSide ||
        bits > 32)
        return std::nullopt;
    h.bitsOffset = 14 + qint64(headerSize) + paletteBytes;
    if (h.bitsOffset > 14 + dib.size()) return std::nullopt;
    return h;
}

} // namespace

qint64 dibPixels(const QByteArray& dib) {
    const auto h = readDibHeader(dib);
    return h ? h->width * std::abs(h->height) : 0;
}

QImage decodeDib(const QByteArray& dib, qint64 maxPixels) {
    const auto h = readDibHeader(dib);
    if (!h || (maxPixels != kUnlimitedPixels && h->width * std::abs(h->height) > maxPixels)) return {};
    QByteArray file("BM");
    appendU32(file, quint32(14 + dib.size()));
    appendU32(file, 0);
    appendU32(file, quint32(h->bitsOffset));
    file.append(dib);
    return readImageLimited(file, "bmp", maxPixels);
}

} // namespace eh::rtf
