#pragma once
// The state machine behind WmfPicture::play: the device context with its objects, and
// the drawing of each record. Internal to the metafile player.

#include "rtf/WmfPlayer.h"
#include "rtf/WmfRecords.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <functional>
#include <optional>
#include <queue>
#include <variant>
#include <vector>

namespace eh::rtf::wmf {

struct Pen {
    int style = 0;
    int width = 0; // logical units; 0 is the thinnest line the device can draw
    QColor color = Qt::black;
};

struct Brush {
    int style = 0;
    QColor color = Qt::white;
    int hatch = 0;
};

struct Font {
    int height = 0; // negative: em height; positive: cell height; logical units
    int width = 0;
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    QString face;
};

// The em height and the average character width, in target pixels, that text in `font`
// is drawn with, bounded to what a picture of `target` size can show.
struct TextSize {
    double pixels = 0;
    double width = 0; // 0: the face's own width
};
inline constexpr double kDefaultTextHeight = 12.0; // logical units, for a height of 0
inline constexpr double kMinTextPixels = 0.5;
inline constexpr double kMaxTextPixels = 2048.0;
// Narrowing or widening a face beyond this is no longer text anyone could read.
inline constexpr double kMinStretch = 0.125;
inline constexpr double kMaxStretch = 8.0;
TextSize boundedTextSize(const Font& font, double scaleY, double scaleX, const QSizeF& target);

// Palettes, regions and pattern brushes hold a slot in the object table but draw nothing.
struct OtherObject {};
using Object = std::variant<OtherObject, Pen, Brush, Font>;

// GDI hands each new object the lowest free slot; records then name objects by slot.
class ObjectTable {
public:
    static constexpr int kMaxObjects = 16384;
    void add(Object object);
    const Object* find(int index) const;
    void remove(int index);

private:
    std::vector<std::optional<Object>> slots_;
    std::priority_queue<int, std::vector<int>, std::greater<int>> free_;
};

struct DeviceContext {
    Pen pen;
    Brush brush;
    Font font;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    int bkMode = kBkOpaque;
    int textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int mapMode = MapAnisotropic;
    QPointF windowOrg;
    QSizeF windowExt;
    QPointF position;           // logical
    std::optional<QRectF> clip; // in the caller's coordinates
};

class Playback {
public:
    Playback(const WmfPicture& picture, QPainter& painter, const QRectF& target, double budget);
    void run();
    double budgetLeft() const { return budget_; }

private:
    static constexpr int kMaxSavedContexts = 256;

    void dispatch(std::uint16_t function, const Params& p);
    bool dispatchState(std::uint16_t function, const Params& p);
    bool dispatchObject(std::uint16_t function, const Params& p);
    void dispatchDrawing(std::uint16_t function, const Params& p);
    void restoreContext(int which);
    void selectObject(int index);

    // Mapping from the current window to the target.
    QTransform windowTransform() const;
    // Readies the painter for a shape in logical units, charging the drawing budget
    // with its area on the target; false when the budget is spent.
    bool beginShape(const QRectF& logicalBounds, bool withBrush);
    bool charge(const QRectF& targetRect);
    bool chargePixels(double pixels);
    const QImage& bitmap(const QByteArray& dib);
    QPen makePen() const;
    QBrush makeBrush() const;

    void drawPolygons(const Params& p, bool closed, bool poly);
    void drawBox(std::uint16_t function, const Params& p);
    void drawArc(std::uint16_t function, const Params& p);
    void drawBitmap(std::uint16_t function, const Params& p);
    void patBlt(const Params& p);
    void textOut(const Params& p);
    void extTextOut(const Params& p);
    void drawText(QPointF logicalRef, const QByteArray& bytes, const std::vector<int>& dx, int options,
                  const QRectF& logicalRect);

    const WmfPicture& picture_;
    QPainter& painter_;
    QRectF target_;
    QTransform base_;
    DeviceContext dc_;
    std::vector<DeviceContext> saved_;
    ObjectTable objects_;
    double budget_;
    bool stopped_ = false;
    // Bitmaps decoded so far, by their data: a record repeated decodes once.
    QHash<QByteArray, QImage> bitmaps_;
};

QColor colorFromRef(std::uint32_t ref);

} // namespace eh::rtf::wmf
