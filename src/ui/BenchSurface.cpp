#include "ui/BenchSurface.h"

#include <QPainter>

#include "ui/Schematic.h"

namespace eh {

BenchSurface::BenchSurface(QWidget* parent) : QWidget(parent) {
    for (const SchematicShape& shape : schematicShapes())
        if (shape.name == std::string_view(kSampleShape)) sampleWidth_ = shape.width;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 224, 192));
    setPalette(pal);
    setAutoFillBackground(true);
}

void BenchSurface::setSampleWidthTwips(int twips) {
    if (twips == sampleWidth_) return;
    sampleWidth_ = twips;
    update();
}

void BenchSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintSchematic(p, sampleWidth_);
}

} // namespace eh
