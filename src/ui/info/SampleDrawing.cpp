#include "ui/info/SampleDrawing.h"

#include <QPainter>

#include <utility>

#include "ui/common/Twips.h"

namespace eh {
namespace {

const QColor kFace{224, 224, 224};
const QColor kContact{128, 128, 128};
const QColor kEdge{192, 192, 192};
const QColor kBlack{0, 0, 0};

DrawnLine solid(int x1, int y1, int x2, int y2, QColor color) {
    return {lineFromTwips(x1, y1, x2, y2), color, false};
}
DrawnLine dotted(int x1, int y1, int x2, int y2, QColor color) {
    return {lineFromTwips(x1, y1, x2, y2), color, true};
}

} // namespace

Drawing switchBoxSampleDrawing() {
    Drawing d;
    d.rects = {
        {rectFromTwips(2640, 2520, 3735, 975), kFace},   {rectFromTwips(2640, 2520, 255, 975), kContact}, // A
        {rectFromTwips(6120, 2520, 255, 975), kContact},                                                  // C
        {rectFromTwips(5040, 2520, 255, 135), kContact},                                                  // B
        {rectFromTwips(5040, 3360, 255, 135), kContact},                                                  // E
        {rectFromTwips(3720, 3360, 255, 135), kContact},                                                  // D
    };
    d.lines = {
        solid(2640, 2520, 2760, 2400, kEdge),     solid(2760, 2400, 6480, 2400, kEdge),
        solid(6360, 2520, 6480, 2400, kEdge),     solid(6480, 2400, 6480, 3360, kEdge),
        solid(6360, 3480, 6480, 3360, kEdge),     solid(2040, 3000, 2640, 3000, kBlack), // lead from A
        solid(6360, 3000, 6960, 3000, kBlack),                                           // from C
        solid(5160, 2520, 5160, 2160, kBlack),                                           // from B
        solid(5160, 3480, 5160, 3840, kBlack),                                           // from E
        solid(3840, 3480, 3840, 3840, kBlack),                                           // from D
        dotted(3840, 3720, 5160, 3720, kEdge),                                           // L between D and E
        dotted(4560, 2520, 4560, 3480, kContact),                                        // a across the bar
        dotted(6480, 3360, 6960, 3360, kEdge),                                           // d at the right end
        dotted(6360, 3480, 6840, 3480, kEdge),    solid(6720, 3480, 6840, 3360, kEdge),
    };
    return d;
}

Drawing samplesWindowDrawing() {
    Drawing d;
    d.rects = {
        {rectFromTwips(2160, 2760, 3735, 975), kFace},   {rectFromTwips(2160, 2760, 255, 975), kContact},
        {rectFromTwips(5640, 2760, 255, 975), kContact}, {rectFromTwips(4560, 2760, 255, 135), kContact},
        {rectFromTwips(4560, 3600, 255, 135), kContact}, {rectFromTwips(3240, 3600, 255, 135), kContact},
    };
    d.lines = {
        solid(2160, 2760, 2280, 2640, kContact), solid(2280, 2640, 6000, 2640, kContact),
        solid(6000, 2640, 5880, 2760, kContact), solid(6000, 2640, 6000, 3600, kContact),
        solid(6000, 3600, 5880, 3720, kBlack),   dotted(3360, 3720, 3360, 4320, kBlack), // length
        dotted(4680, 3720, 4680, 4320, kBlack),  dotted(3360, 4200, 4680, 4200, kBlack),
        dotted(2160, 2760, 1560, 2760, kBlack), // width
        dotted(2160, 3720, 1560, 3720, kBlack),  dotted(1800, 2760, 1800, 3720, kBlack),
        dotted(6000, 3600, 6480, 3600, kBlack), // thickness
        dotted(5880, 3720, 6360, 3720, kBlack),  solid(6120, 3720, 6240, 3600, kBlack),
    };
    return d;
}

SampleDrawing::SampleDrawing(Drawing drawing, QWidget* window)
    : QWidget(window), drawing_(std::move(drawing)) {
    setObjectName(QStringLiteral("SampleDrawing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
}

void SampleDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const DrawnRect& r : drawing_.rects) painter.fillRect(r.rect, r.color);
    for (const DrawnLine& l : drawing_.lines) {
        QPen pen(l.color, 0, l.dotted ? Qt::DotLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.drawLine(l.line);
    }
}

} // namespace eh
