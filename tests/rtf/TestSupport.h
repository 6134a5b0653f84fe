#pragma once
// Helpers for the RTF and metafile tests: writers of small metafiles and bitmaps, and
// what a loaded document or a rendered picture shows.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSizeF>
#include <QTextCharFormat>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QTextDocument;

namespace eh::test {

// Builds a Windows Metafile record by record; a colour is written as two words.
class WmfWriter {
public:
    WmfWriter& record(std::uint16_t function, const QList<int>& words);
    WmfWriter& recordBytes(std::uint16_t function, const QByteArray& params);
    // Bytes as the little-endian words a record holds them in.
    static QList<int> words(const QByteArray& bytes);

    WmfWriter& windowOrg(int x, int y) { return record(0x020B, {y, x}); }
    WmfWriter& windowExt(int w, int h) { return record(0x020C, {h, w}); }
    WmfWriter& mapMode(int mode) { return record(0x0103, {mode}); }
    WmfWriter& pen(int style, int width, QRgb c) {
        return record(0x02FA, {style, width, 0, rg(c), qBlue(c)});
    }
    WmfWriter& brush(int style, QRgb c, int hatch = 0) {
        return record(0x02FC, {style, rg(c), qBlue(c), hatch});
    }
    WmfWriter& font(int height, const QByteArray& face, int charset = 0, int weight = 400, int escapement = 0,
                    int width = 0);
    WmfWriter& select(int index) { return record(0x012D, {index}); }
    WmfWriter& deleteObject(int index) { return record(0x01F0, {index}); }
    WmfWriter& rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
    WmfWriter& ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
    WmfWriter& moveTo(int x, int y) { return record(0x0214, {y, x}); }
    WmfWriter& lineTo(int x, int y) { return record(0x0213, {y, x}); }
    WmfWriter& polygon(const QList<QPoint>& points) { return poly(0x0324, points); }
    WmfWriter& polyline(const QList<QPoint>& points) { return poly(0x0325, points); }
    WmfWriter& textOut(int x, int y, const QByteArray& text) {
        return record(0x0521, QList<int>{int(text.size())} + words(text) + QList<int>{y, x});
    }
    WmfWriter& extTextOut(int x, int y, const QByteArray& text, const QList<int>& dx = {}) {
        return record(0x0A32, QList<int>{y, x, int(text.size()), 0} + words(text) + dx);
    }
    WmfWriter& textAlign(int align) { return record(0x012E, {align}); }
    WmfWriter& bkMode(int mode) { return record(0x0102, {mode}); }
    WmfWriter& textColor(QRgb c) { return record(0x0209, {rg(c), qBlue(c)}); }
    WmfWriter& bkColor(QRgb c) { return record(0x0201, {rg(c), qBlue(c)}); }
    WmfWriter& saveDc() { return record(0x001E, {}); }
    WmfWriter& restoreDc(int which) { return record(0x0127, {which}); }

    // The metafile, bare or behind a placeable header with box `box`.
    QByteArray bytes() const;
    QByteArray placeableBytes(const QRect& box, int unitsPerInch) const;

private:
    static int rg(QRgb c) { return qRed(c) | qGreen(c) << 8; }
    WmfWriter& poly(std::uint16_t function, const QList<QPoint>& points);

    QByteArray records_;
};

// A BITMAPINFOHEADER; the palette and the rows follow it.
QByteArray dibHeader(int width, int height, int bits, int compression = 0, int colours = 0);

// An image in a file format, and an RTF picture group: its control words and its data.
QByteArray encoded(const QImage& image, const char* format = "PNG");
inline QByteArray pict(const QByteArray& words, const QByteArray& data) {
    return "{\\pict" + words + " " + data.toHex() + "}";
}

// The runs of a loaded document with their formats, and its pictures at their display size.
std::vector<std::pair<QString, QTextCharFormat>> fragments(const QTextDocument& doc);
struct Shown {
    QImage image;
    QSizeF size;
};
std::vector<Shown> pictures(const QTextDocument& doc);
// The document laid out `width` pixels wide and painted on white, all of it or its top
// `height` pixels.
QImage render(QTextDocument& doc, int width, int height = 0);

// The smallest rectangle holding the pixels that `match`; by default those clearly not
// transparent (faint edges of smoothed pictures are not ink).
QRect inkBounds(
    const QImage& image, const std::function<bool(QColor)>& match = [](QColor c) { return c.alpha() > 64; });
// The share of pixels inside `r` whose colour is within `tolerance` of `color`.
double coverage(const QImage& image, const QRect& r, QColor color, int tolerance = 40);

} // namespace eh::test
