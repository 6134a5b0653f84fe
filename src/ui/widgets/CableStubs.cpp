#include "ui/widgets/CableStubs.h"

#include <QPainter>

namespace eh {

void CableStubs::paint(QPainter& painter) const {
    if (stubs_.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const CableStub& stub : stubs_) {
        painter.setPen(QPen(Qt::black, stub.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(stub.line);
    }
    painter.restore();
}

} // namespace eh
