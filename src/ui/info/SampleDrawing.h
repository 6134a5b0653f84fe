#pragma once
// The bar-shaped sample drawn in perspective from a table of filled rectangles and lines,
// given in twips of the window's client area.

#include <QColor>
#include <QLine>
#include <QRect>
#include <QWidget>

#include <vector>

namespace eh {

struct DrawnRect {
    QRect rect; // pixels; filled and bordered in one colour
    QColor color;
};

struct DrawnLine {
    QLine line; // pixels
    QColor color;
    bool dotted = false;
};

struct Drawing {
    std::vector<DrawnRect> rects; // back to front
    std::vector<DrawnLine> lines; // over the rectangles
};

Drawing switchBoxSampleDrawing(); // the five contacts A to E
Drawing samplesWindowDrawing();   // the bar with its length, width and thickness

// Covers its window's client area, behind the labels; takes no mouse input.
class SampleDrawing : public QWidget {
    Q_OBJECT
public:
    SampleDrawing(Drawing drawing, QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Drawing drawing_;
};

} // namespace eh
