#pragma once
// An RTF \pict group: its properties and data as read, and its conversion into an image
// at the size the document asks for.

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <cstdint>
#include <optional>
#include <string_view>

namespace eh::rtf {

struct RtfPicture {
    static constexpr qsizetype kMaxDataSize = qsizetype{4} * 1024 * 1024;

    enum class Format : std::uint8_t { Unknown, Png, Jpeg, Wmf, Dib, Unsupported };
    Format format = Format::Unknown;
    int width = 0; // \picw: pixels for bitmaps, 0.01 mm for metafiles
    int height = 0;
    int goalWidth = 0; // \picwgoal, twips
    int goalHeight = 0;
    int scaleX = 100; // \picscalex, percent
    int scaleY = 100;
    QByteArray data;
    bool broken = false; // bad hex digits or data over the size limit

    void appendHex(std::string_view text);
    void appendBinary(std::string_view bytes);

private:
    int pendingNibble_ = -1;
};

struct PictureImage {
    QImage image;
    QSizeF displaySize; // document pixels
};

// What one document's pictures may cost together: the pixels they keep (memory), the
// work of drawing their metafiles, and how many there are.
struct PictureBudget {
    static constexpr qint64 kMaxPixels = 16LL * 1024 * 1024;
    static constexpr double kMaxDrawing = 32.0 * 1024 * 1024;
    static constexpr int kMaxPictures = 1000;

    qint64 pixels = kMaxPixels;
    double drawing = kMaxDrawing;
    int pictures = kMaxPictures;
};

// Decodes the picture and works out its display size at `dpi` pixels per inch. The
// picture is charged to `budget` before it is decoded, by the pixels its data claims;
// nothing is decoded once any part of the budget runs out.
std::optional<PictureImage> decodePicture(const RtfPicture& picture, double dpi, PictureBudget& budget);

} // namespace eh::rtf
