#pragma once
// A player of Windows Metafiles (the 16-bit WMF format): the pictures of formula
// objects and of older word-processor documents. It parses a record stream once and
// draws it with QPainter as often as asked. Records it does not know are skipped;
// malformed data ends the stream where it stops making sense, never the program.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace eh::rtf {

class WmfPicture {
public:
    static constexpr qsizetype kMaxRecords = 1'000'000;

    struct Record {
        std::uint16_t function;
        qsizetype offset; // of the parameters in the data
        qsizetype size;   // of the parameters, in bytes
    };

    // Reads a metafile with or without the placeable (0x9AC6CDD7) header. Returns false,
    // with a reason in `error`, when the data is not a metafile; a stream cut short keeps
    // the records read before the cut.
    bool load(const QByteArray& data, QString* error = nullptr);

    bool isNull() const { return frameExtent_.width() == 0 || frameExtent_.height() == 0; }
    // The picture's frame in its logical units: the placeable header's box, else the
    // first window set by the records, else the extent of what the records draw.
    QRectF bounds() const { return QRectF(frameOrigin_, frameExtent_).normalized(); }
    // The frame as a window: the logical point shown at the top left of the target and
    // the signed extent (negative height where y grows upwards).
    QPointF frameOrigin() const { return frameOrigin_; }
    QSizeF frameExtent() const { return frameExtent_; }
    // The physical size from the placeable header, in inches; empty when unknown.
    QSizeF sizeInches() const { return sizeInches_; }
    const std::vector<Record>& records() const { return records_; }
    const QByteArray& data() const { return data_; }

    // Drawing is charged by the area each record covers on the target and the pixels of
    // every bitmap it decodes, plus a little per record. A picture may spend its frame's
    // area this many times over, and never less than kMinimumDrawingBudget.
    static constexpr double kCoverageBudget = 16.0;
    static constexpr double kMinimumDrawingBudget = 1.0e6;
    static constexpr double kCostPerRecord = 16.0;
    static double drawingBudget(const QSizeF& target);

    // Draws the picture so that its frame fills `target` (in the painter's coordinates).
    // The painter's state is unchanged afterwards. What is left of the drawing budget once
    // it is spent is dropped; `budget`, when given, is also drawn down by what was spent,
    // so that a document's pictures share one budget.
    void play(QPainter& painter, const QRectF& target, double* budget = nullptr) const;

private:
    void scanFrame();

    QByteArray data_;
    std::vector<Record> records_;
    QPointF frameOrigin_;
    QSizeF frameExtent_{0, 0};
    QSizeF sizeInches_;
};

// Renders the picture onto a transparent image of `size` (ARGB32, premultiplied), with
// the drawing budget as in play(). Sizes beyond 4096 pixels a side give a null image.
inline constexpr int kMaxRenderSide = 4096;
QImage renderWmfToImage(const WmfPicture& picture, const QSize& size, double* budget = nullptr);

} // namespace eh::rtf
