#pragma once
// Device-independent bitmaps (the BITMAPINFO + bits layout of Windows), as metafiles and
// RTF \dibitmap pictures carry them.

#include <QByteArray>
#include <QImage>

namespace eh::rtf {

// Decodes a DIB; null when it is malformed or larger than 16384 pixels a side. Images
// larger than 4096 pixels a side are scaled down to fit.
QImage decodeDib(const QByteArray& dib);

// Reads an image in any format Qt knows (PNG, JPEG, BMP...) with the same size limits.
QImage readImageLimited(const QByteArray& data, const char* format = nullptr);

} // namespace eh::rtf
