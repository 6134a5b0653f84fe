#pragma once
// Device-independent bitmaps (the BITMAPINFO + bits layout of Windows), as metafiles and
// RTF \dibitmap pictures carry them.

#include <QByteArray>
#include <QImage>

namespace eh::rtf {

// Decoding cost is counted in pixels, from the size an image's header claims, before any
// of it is decoded: a few bytes may claim a bitmap that takes seconds to decode.
inline constexpr qint64 kUnlimitedPixels = -1;

// The width times the height the DIB's header claims; 0 when the header is malformed.
qint64 dibPixels(const QByteArray& dib);

// Decodes a DIB; null when it is malformed, larger than 16384 pixels a side or claims
// more than `maxPixels` (unless that is kUnlimitedPixels). Images larger than 4096 pixels
// a side are scaled down to fit.
QImage decodeDib(const QByteArray& dib, qint64 maxPixels = kUnlimitedPixels);

// Reads an image in any format Qt knows (PNG, JPEG, BMP...) with the same limits.
QImage readImageLimited(const QByteArray& data, const char* format = nullptr,
                        qint64 maxPixels = kUnlimitedPixels);

} // namespace eh::rtf
