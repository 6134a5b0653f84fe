// Bitmap records of the metafile player: pictures that word processors wrap in a
// metafile, and rectangle fills by raster operation.

#include "rtf/Dib.h"
#include "rtf/WmfPlayback.h"

namespace eh::rtf::wmf {

namespace {

constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;

} // namespace

void Playback::drawBitmap(std::uint16_t function, const Params& p) {
    if (p.u32(0) != kSrcCopy) return; // mask and merge operations need a destination we do not keep
    QRect source;
    QRectF dest;
    qsizetype dibWord = 0;
    if (function == StretchDib) {
        source = QRect(p.s16(6), p.s16(5), p.s16(4), p.s16(3));
        dest = QRectF(p.s16(10), p.s16(9), p.s16(8), p.s16(7));
        dibWord = 11;
    } else if (function == DibStretchBlt) {
        source = QRect(p.s16(5), p.s16(4), p.s16(3), p.s16(2));
        dest = QRectF(p.s16(9), p.s16(8), p.s16(7), p.s16(6));
        dibWord = 10;
    } else {
        source = QRect(p.s16(3), p.s16(2), p.s16(5), p.s16(4));
        dest = QRectF(p.s16(7), p.s16(6), p.s16(5), p.s16(4));
        dibWord = 8;
    }
    if (p.words() <= dibWord || dest.isNull()) return;
    const QImage& image = bitmap(p.bytes(2 * dibWord, p.size()));
    if (image.isNull() || !beginShape(dest.normalized(), false)) return;
    // Source rectangles count rows from the bottom of the bitmap.
    QRectF from(source.x(), image.height() - source.y() - source.height(), source.width(), source.height());
    if (from.width() <= 0 || from.height() <= 0) from = image.rect();
    painter_.drawImage(dest, image, from);
}

const QImage& Playback::bitmap(const QByteArray& dib) {
    if (const auto found = bitmaps_.constFind(dib); found != bitmaps_.constEnd()) return *found;
    // Decoding is paid for before it starts, by the pixels the header claims; a bitmap
    // the budget cannot pay for is remembered as null and not tried again.
    const qint64 pixels = dibPixels(dib);
    QImage image;
    if (pixels > 0 && chargePixels(double(pixels))) image = decodeDib(dib, pixels);
    return *bitmaps_.insert(dib, image);
}

void Playback::patBlt(const Params& p) {
    const std::uint32_t rop = p.u32(0);
    const QRectF dest(p.s16(5), p.s16(4), p.s16(3), p.s16(2));
    QBrush brush;
    if (rop == kPatCopy)
        brush = makeBrush();
    else if (rop == kBlackness)
        brush = QBrush(Qt::black);
    else if (rop == kWhiteness)
        brush = QBrush(Qt::white);
    else
        return;
    if (!beginShape(dest.normalized(), false)) return;
    painter_.fillRect(dest.normalized(), brush);
}

} // namespace eh::rtf::wmf
