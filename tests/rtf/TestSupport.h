#pragma once
// Helpers for the RTF and metafile tests: an offscreen application, a writer of small
// metafiles, and image inspection.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <initializer_list>

class QTextDocument;

namespace eh::test {

// Creates the QGuiApplication (offscreen) on first use; fonts need one.
void ensureApp();

// Builds a Windows Metafile record by record.
class WmfWriter {
public:
    WmfWriter& record(std::uint16_t function, std::initializer_list<int> words);
    WmfWriter& recordBytes(std::uint16_t function, const QByteArray& params);

    WmfWriter& windowOrg(int x, int y) { return record(0x020B, {y, x}); }
    WmfWriter& windowExt(int w, int h) { return record(0x020C, {h, w}); }
    WmfWriter& mapMode(int mode) { return record(0x0103, {mode}); }
    WmfWriter& pen(int style, int width, QRgb color);
    WmfWriter& brush(int style, QRgb color, int hatch = 0);
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
    WmfWriter& textOut(int x, int y, const QByteArray& text);
    WmfWriter& extTextOut(int x, int y, const QByteArray& text, const QList<int>& dx = {});
    WmfWriter& textAlign(int align) { return record(0x012E, {align}); }
    WmfWriter& bkMode(int mode) { return record(0x0102, {mode}); }
    WmfWriter& textColor(QRgb c) { return colorRecord(0x0209, c); }
    WmfWriter& bkColor(QRgb c) { return colorRecord(0x0201, c); }
    WmfWriter& saveDc() { return record(0x001E, {}); }
    WmfWriter& restoreDc(int which) { return record(0x0127, {which}); }

    // The metafile, optionally behind a placeable header with box `bbox`.
    QByteArray bytes() const;
    QByteArray placeableBytes(const QRect& bbox, int unitsPerInch) const;

private:
    WmfWriter& poly(std::uint16_t function, const QList<QPoint>& points);
    WmfWriter& colorRecord(std::uint16_t function, QRgb c);

    QByteArray records_;
    int objects_ = 0;
    int maxRecordWords_ = 3;
};

// The hex digits RTF writes picture data in, 64 to a line.
QByteArray toRtfHex(const QByteArray& data);
QByteArray pngBytes(const QImage& image);

// The smallest rectangle holding pixels that clearly differ from transparent (or from an
// opaque `background`).
QRect inkBounds(const QImage& image, QColor background = Qt::transparent);
// The share of pixels inside `r` whose colour is within `tolerance` of `color`.
double coverage(const QImage& image, const QRect& r, QColor color, int tolerance = 40);

} // namespace eh::test
