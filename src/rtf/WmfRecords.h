#pragma once
// Windows Metafile record numbers and a bounds-checked reader of record parameters.

#include <QByteArray>

#include <algorithm>
#include <cstdint>

namespace eh::rtf::wmf {

enum Function : std::uint16_t {
    EndOfFile = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

// Map modes (SetMapMode).
enum MapMode : int {
    MapText = 1,
    MapLoMetric = 2,
    MapTwips = 6,
    MapIsotropic = 7,
    MapAnisotropic = 8,
};

// Text alignment flags (SetTextAlign).
enum TextAlign : int {
    AlignUpdateCp = 0x0001,
    AlignRight = 0x0002,
    AlignCenter = 0x0006,
    AlignHorizontalMask = 0x0006,
    AlignBottom = 0x0008,
    AlignBaseline = 0x0018,
    AlignVerticalMask = 0x0018,
};

inline constexpr int kBkTransparent = 1;
inline constexpr int kBkOpaque = 2;
inline constexpr int kEtoOpaque = 0x0002;
inline constexpr int kEtoClipped = 0x0004;
inline constexpr int kSymbolCharset = 2;

// The parameters of one record: little-endian 16-bit words after the 6-byte record
// header. Reads past the end give 0, so a short record cannot read foreign memory.
class Params {
public:
    Params(const char* data, qsizetype size) : data_(data), size_(size) {}

    qsizetype size() const { return size_; }
    qsizetype words() const { return size_ / 2; }
    std::uint8_t byte(qsizetype i) const {
        return i >= 0 && i < size_ ? static_cast<std::uint8_t>(data_[i]) : 0;
    }
    std::uint16_t u16(qsizetype word) const {
        return static_cast<std::uint16_t>(byte(2 * word) | (byte(2 * word + 1) << 8));
    }
    std::int16_t s16(qsizetype word) const { return static_cast<std::int16_t>(u16(word)); }
    std::uint32_t u32(qsizetype word) const {
        return u16(word) | (static_cast<std::uint32_t>(u16(word + 1)) << 16);
    }
    // `count` bytes from byte offset `offset`, cut at the end of the record.
    QByteArray bytes(qsizetype offset, qsizetype count) const {
        if (offset < 0 || count <= 0 || offset >= size_) return {};
        return QByteArray(data_ + offset, std::min(count, size_ - offset));
    }

private:
    const char* data_;
    qsizetype size_;
};

} // namespace eh::rtf::wmf
