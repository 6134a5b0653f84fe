#include "rtf/WmfPlayer.h"
#include "rtf/WmfRecords.h"

#include <algorithm>
#include <limits>

namespace eh::rtf {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableSize = 22;
constexpr qsizetype kHeaderSize = 18;

// The smallest box holding the points the drawing records name; a frame for metafiles
// that set no window.
class ExtentScanner {
public:
    void add(int x, int y) {
        minX_ = std::min(minX_, x);
        maxX_ = std::max(maxX_, x);
        minY_ = std::min(minY_, y);
        maxY_ = std::max(maxY_, y);
    }
    void addBox(const wmf::Params& p, int firstWord) { // bottom, right, top, left
        add(p.s16(firstWord + 3), p.s16(firstWord + 2));
        add(p.s16(firstWord + 1), p.s16(firstWord));
    }
    void addPoints(const wmf::Params& p, qsizetype firstWord, qsizetype count) {
        count = std::min(count, (p.words() - firstWord) / 2);
        for (qsizetype i = 0; i < count; ++i) add(p.s16(firstWord + 2 * i), p.s16(firstWord + 2 * i + 1));
    }
    void addRecord(std::uint16_t function, const wmf::Params& p);
    bool empty() const { return minX_ > maxX_; }
    QRectF rect() const { return QRectF(QPointF(minX_, minY_), QPointF(maxX_, maxY_)); }

private:
    int minX_ = std::numeric_limits<int>::max();
    int maxX_ = std::numeric_limits<int>::min();
    int minY_ = std::numeric_limits<int>::max();
    int maxY_ = std::numeric_limits<int>::min();
};

void ExtentScanner::addRecord(std::uint16_t function, const wmf::Params& p) {
    switch (function) {
    case wmf::MoveTo:
    case wmf::LineTo:
    case wmf::ExtTextOut:
        add(p.s16(1), p.s16(0));
        break;
    case wmf::Polyline:
    case wmf::Polygon:
        addPoints(p, 1, p.s16(0));
        break;
    case wmf::PolyPolygon: {
        const qsizetype polygons = p.u16(0);
        qsizetype total = 0;
        for (qsizetype i = 0; i < polygons && i + 1 < p.words(); ++i) total += p.u16(1 + i);
        addPoints(p, 1 + polygons, total);
        break;
    }
    case wmf::Rectangle:
    case wmf::Ellipse:
        addBox(p, 0);
        break;
    case wmf::RoundRect:
        addBox(p, 2);
        break;
    case wmf::Arc:
    case wmf::Pie:
    case wmf::Chord:
        addBox(p, 4);
        break;
    case wmf::TextOut: {
        const qsizetype at = 1 + (p.u16(0) + 1) / 2;
        add(p.s16(at + 1), p.s16(at));
        break;
    }
    default:
        break;
    }
}

} // namespace

bool WmfPicture::load(const QByteArray& data, QString* error) {
    *this = WmfPicture();
    const wmf::Params all(data.constData(), data.size());
    qsizetype at = 0;
    bool placeable = false;
    if (all.u32(0) == kPlaceableKey) {
        placeable = true;
        const QRectF box(QPointF(all.s16(3), all.s16(4)), QPointF(all.s16(5), all.s16(6)));
        frameOrigin_ = box.topLeft();
        frameExtent_ = box.size();
        if (const int inch = all.u16(7); inch > 0 && box.isValid())
            sizeInches_ = QSizeF(box.width() / inch, box.height() / inch);
        at = kPlaceableSize;
    }
    const wmf::Params header(data.constData() + std::min(at, data.size()),
                             std::max<qsizetype>(0, data.size() - at));
    const int type = header.u16(0);
    if (header.size() < kHeaderSize || (type != 1 && type != 2) || header.u16(1) != 9) {
        if (error) *error = QStringLiteral("not a Windows Metafile");
        *this = WmfPicture();
        return false;
    }
    data_ = data;
    at += kHeaderSize;
    // Sizes in the header are not trusted: the records themselves say where they end.
    while (at + 6 <= data.size() && qsizetype(records_.size()) < kMaxRecords) {
        const wmf::Params head(data.constData() + at, 6);
        const std::uint64_t words = head.u32(0);
        const std::uint16_t function = head.u16(2);
        if (words < 3 || words * 2 > std::uint64_t(data.size() - at) || function == wmf::EndOfFile) break;
        records_.push_back({function, at + 6, qsizetype(words * 2) - 6});
        at += qsizetype(words * 2);
    }
    if (!placeable || isNull()) scanFrame();
    return true;
}

void WmfPicture::scanFrame() {
    int mapMode = wmf::MapText;
    bool haveOrigin = false;
    bool haveExtent = false;
    QPointF origin;
    QSizeF extent;
    ExtentScanner scanner;
    for (const Record& r : records_) {
        const wmf::Params p(data_.constData() + r.offset, r.size);
        switch (r.function) {
        case wmf::SetMapMode:
            mapMode = p.s16(0);
            break;
        case wmf::SetWindowOrg:
            if (!haveOrigin) origin = QPointF(p.s16(1), p.s16(0));
            haveOrigin = true;
            break;
        case wmf::SetWindowExt:
            if (!haveExtent) extent = QSizeF(p.s16(1), p.s16(0));
            haveExtent = true;
            break;
        default:
            scanner.addRecord(r.function, p);
        }
    }
    const bool fixedScale = mapMode >= wmf::MapLoMetric && mapMode <= wmf::MapTwips;
    if (haveExtent && !fixedScale && extent.width() != 0 && extent.height() != 0) {
        frameOrigin_ = origin;
        frameExtent_ = extent;
        return;
    }
    if (scanner.empty()) return;
    QRectF r = scanner.rect();
    if (r.width() == 0) r.setWidth(1);
    if (r.height() == 0) r.setHeight(1);
    if (fixedScale) { // y grows upwards in these modes
        frameOrigin_ = QPointF(r.left(), r.bottom());
        frameExtent_ = QSizeF(r.width(), -r.height());
    } else {
        frameOrigin_ = r.topLeft();
        frameExtent_ = r.size();
    }
}

} // namespace eh::rtf
