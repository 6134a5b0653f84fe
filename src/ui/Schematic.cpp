#include "ui/Schematic.h"

#include <QPainter>
#include <array>
#include <string_view>

#include "ui/common/Twips.h"

namespace eh {
namespace {

constexpr QRgb kSteel = 0xFF808080;
constexpr QRgb kCoil = 0xFFC00000;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kSample = 0xFF404040;

constexpr std::array kShapes = std::to_array<SchematicShape>({
    {"Shape1", 3360, 3600, 1335, 1455, kSteel, kSteel, false}, // right pole piece
    {"Shape4", 3720, 2880, 855, 2895, kCoil, kBlack, true},    // right coil
    {"Shape5", 720, 3360, 375, 2655, kSteel, kSteel, false},   // yoke, left limb
    {"Shape6", 4680, 3360, 375, 2655, kSteel, kSteel, false},  // yoke, right limb
    {"Shape7", 720, 6000, 4335, 375, kSteel, kSteel, false},   // yoke, base
    {"Shape2", 1080, 3600, 1335, 1455, kSteel, kSteel, false}, // left pole piece
    {"Shape3", 1200, 2880, 855, 2895, kCoil, kBlack, true},    // left coil
    {"Shape16", 2640, 1680, 495, 2175, kSteel, kSteel, false}, // cryostat body
    {"Shape17", 2640, 3840, 255, 1095, kSteel, kSteel, false}, // cold finger
    {"Shape18", 2400, 480, 975, 1215, kSteel, kSteel, false},  // cold head
    {"Shape19", 1680, 600, 735, 135, kSteel, kSteel, false},   // upper helium line
    {"Shape20", 1680, 840, 735, 135, kSteel, kSteel, false},   // lower helium line
    {"Muestra", 2880, 4080, 135, 615, kSample, kBlack, false}, // the sample
    {"Shape22", 3720, 1440, 135, 255, kSteel, kSteel, false},  // sample wiring feedthrough
    {"Shape26", 3720, 720, 135, 255, kSteel, kSteel, false},   // thermometry feedthrough
});

constexpr QPoint kJacket[] = {{1680, 1560}, {2280, 1560}, {2280, 1800}, {2520, 1800}, {2520, 5520},
                              {3240, 5520}, {3240, 1800}, {3480, 1800}, {3480, 1680}, {3720, 1680}};
constexpr QPoint kWallFeedthroughs[] = {{3720, 1440}, {3480, 1440}, {3480, 960}, {3720, 960}};
constexpr QPoint kHousingTop[] = {{3720, 720}, {3480, 720}, {3480, 360}, {2280, 360}, {2280, 600}};
constexpr QPoint kWallHelium[] = {{2280, 720}, {2280, 840}};
constexpr QPoint kVacuumLine[] = {{2280, 960}, {2280, 1440}, {1680, 1440}};
constexpr QPoint kThermometry[] = {{3360, 840}, {7080, 840}, {7080, 2160}, {9960, 2160}};
constexpr QPoint kHeaterA[] = {{8640, 2160}, {8640, 1560}};
constexpr QPoint kHeaterB[] = {{8880, 2160}, {8880, 1560}};
constexpr QPoint kSensorA[] = {{9720, 2160}, {9720, 1560}};
constexpr QPoint kSensorB[] = {{9960, 2160}, {9960, 1560}};
constexpr QPoint kSampleCable[] = {{3360, 1560}, {6120, 1560}, {6120, 5280}}; // ends under the switch box
constexpr QPoint kSourceA[] = {{7200, 6360}, {7200, 6840}, {8520, 6840}, {8520, 6480}};
constexpr QPoint kSourceB[] = {{6960, 6360}, {6960, 6960}, {8760, 6960}, {8760, 6480}};
constexpr QPoint kVoltmeterA[] = {{6360, 6360}, {6360, 8280}, {8520, 8280}, {8520, 7920}};
constexpr QPoint kVoltmeterB[] = {{6120, 6360}, {6120, 8400}, {8760, 8400}, {8760, 7920}};

const std::array kLines = std::to_array<SchematicLine>({
    {kJacket, 1, false},
    {kWallFeedthroughs, 1, false},
    {kHousingTop, 1, false},
    {kWallHelium, 1, false},
    {kVacuumLine, 1, false},
    {kThermometry, 2, false},
    {kHeaterA, 1, true},
    {kHeaterB, 1, true},
    {kSensorA, 1, true},
    {kSensorB, 1, true},
    {kSampleCable, 2, false},
    {kSourceA, 1, true},
    {kSourceB, 1, true},
    {kVoltmeterA, 1, true},
    {kVoltmeterB, 1, true},
});

QPoint toPixels(const QPoint& twips) {
    return pointFromTwips(twips.x(), twips.y());
}

void paintShape(QPainter& p, const SchematicShape& s, int widthTwips) {
    const QRect r = rectFromTwips(s.left, s.top, widthTwips, s.height);
    p.fillRect(r, QColor::fromRgb(s.fill));
    if (s.hatched) p.fillRect(r, QBrush(Qt::black, Qt::VerPattern));
    p.setPen(QColor::fromRgb(s.border));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

// Clips an axis-parallel segment to `area`; false when nothing of it lies inside.
bool clipAxisSegment(QPoint a, QPoint b, const QRect& area, QLine& out) {
    if (a.x() == b.x()) {
        if (a.x() < area.left() || a.x() > area.right()) return false;
        const int top = qMax(qMin(a.y(), b.y()), area.top());
        const int bottom = qMin(qMax(a.y(), b.y()), area.bottom());
        if (top > bottom) return false;
        out = QLine(a.x(), top, a.x(), bottom);
        return true;
    }
    if (a.y() == b.y()) {
        if (a.y() < area.top() || a.y() > area.bottom()) return false;
        const int left = qMax(qMin(a.x(), b.x()), area.left());
        const int right = qMin(qMax(a.x(), b.x()), area.right());
        if (left > right) return false;
        out = QLine(left, a.y(), right, a.y());
        return true;
    }
    return false;
}

} // namespace

std::span<const SchematicShape> schematicShapes() {
    return kShapes;
}
std::span<const SchematicLine> schematicLines() {
    return kLines;
}

void paintSchematic(QPainter& painter, int sampleWidthTwips) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const SchematicShape& shape : kShapes)
        paintShape(painter, shape,
                   shape.name == std::string_view(kSampleShape) ? sampleWidthTwips : shape.width);
    for (const SchematicLine& line : kLines) {
        painter.setPen(QPen(Qt::black, line.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        QList<QPoint> points;
        for (const QPoint& p : line.points) points << toPixels(p);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
    painter.restore();
}

QList<CableStub> cableStubsWithin(const QRect& area) {
    QList<CableStub> stubs;
    for (const SchematicLine& line : kLines) {
        if (!line.reachesTerminal) continue;
        for (std::size_t i = 1; i < line.points.size(); ++i) {
            QLine piece;
            if (clipAxisSegment(toPixels(line.points[i - 1]), toPixels(line.points[i]), area, piece))
                stubs.append({piece.translated(-area.topLeft()), line.width});
        }
    }
    return stubs;
}

} // namespace eh
