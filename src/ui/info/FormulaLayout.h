#pragma once
// A small formula typesetter: a tree of rows, fractions and scripts is laid out into glyph
// runs and fraction bars relative to a baseline, the way a formula editor stacks them.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <initializer_list>
#include <memory>
#include <vector>

class QPainter;

namespace eh::typeset {

struct GlyphRun {
    QString text;
    QFont font;
    QPointF origin; // left end of the run's baseline
};

// The laid-out formula; y grows downwards, the baseline of the whole is y = 0.
struct Layout {
    std::vector<GlyphRun> runs;
    std::vector<QRectF> bars;
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;

    void append(const Layout& other, QPointF offset);
    QRectF bounds() const { return {0, -ascent, width, ascent + descent}; }
};

// Size level 0 is the full size, 1 the script size, 2 the script-of-script size.
struct Style {
    QString family;
    qreal fullPoints = 12;
    qreal scriptPoints = 7;
    qreal subScriptPoints = 5;
    int level = 0;

    QFont font(bool italic) const;
    Style smaller() const;
    Style scaled(qreal factor) const;
};

// Times New Roman at 12, 7 and 5 points, a formula editor's usual sizes.
Style defaultStyle();

class Node {
public:
    virtual ~Node() = default;
    virtual Layout layout(const Style& style) const = 0;
};
using NodePtr = std::shared_ptr<const Node>;

enum class Spacing { None, Thin, Medium, Thick };

NodePtr variable(const QString& letters); // italic
NodePtr upright(const QString& text);     // numbers, Greek letters, parentheses, slash
NodePtr op(const QString& symbol, Spacing spacing);
NodePtr row(std::initializer_list<NodePtr> items);
NodePtr fraction(NodePtr numerator, NodePtr denominator);
NodePtr subscript(NodePtr base, NodePtr script);
NodePtr superscript(NodePtr base, NodePtr script);

void paint(QPainter& painter, const Layout& layout, QPointF baselineOrigin);

} // namespace eh::typeset
