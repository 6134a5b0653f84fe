#pragma once
// The drawing on the window's surface: the cryostat in the gap of the electromagnet,
// its feed lines and the cables to the instruments. Coordinates are in twips.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <span>

#include "ui/widgets/CableStubs.h"

class QPainter;

namespace eh {

struct SchematicShape {
    const char* name;
    int left, top, width, height;
    QRgb fill;
    QRgb border;
    bool hatched; // the coils: vertical black lines over the fill
};

struct SchematicLine {
    std::span<const QPoint> points; // a polyline
    int width;
    bool reachesTerminal; // runs on across panels and frames to a binding post
};

// Back to front.
std::span<const SchematicShape> schematicShapes();
std::span<const SchematicLine> schematicLines();

// The sample bar is the one shape whose width the bench sets.
inline constexpr const char* kSampleShape = "Muestra";

// Paints the whole drawing in pixels; the sample bar `sampleWidthTwips` wide.
void paintSchematic(QPainter& painter, int sampleWidthTwips);

// The pieces of the terminal cables that fall inside `area` (pixels, surface
// coordinates), translated to the area's own coordinates.
QList<CableStub> cableStubsWithin(const QRect& area);

} // namespace eh
