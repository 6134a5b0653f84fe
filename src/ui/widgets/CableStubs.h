#pragma once
// The pieces of the schematic's cables that run across a panel or frame. The drawing
// lies behind every panel, so each panel repaints the wire pieces it covers on its own
// surface, and a wire visibly reaches its terminal.

#include <QLine>
#include <QList>

class QPainter;

namespace eh {

struct CableStub {
    QLine line; // in the coordinates of the widget that paints it
    int width = 1;
};

class CableStubs {
public:
    void set(QList<CableStub> stubs) { stubs_ = std::move(stubs); }
    const QList<CableStub>& stubs() const { return stubs_; }
    void paint(QPainter& painter) const;

private:
    QList<CableStub> stubs_;
};

} // namespace eh
