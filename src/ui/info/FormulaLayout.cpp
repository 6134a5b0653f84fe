#include "ui/info/FormulaLayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <utility>

#include "rtf/FontSubstitution.h"

namespace eh::typeset {

void Layout::append(const Layout& other, QPointF offset) {
    for (GlyphRun run : other.runs) {
        run.origin += offset;
        runs.push_back(std::move(run));
    }
    for (const QRectF& bar : other.bars) bars.push_back(bar.translated(offset));
    width = std::max(width, offset.x() + other.width);
    ascent = std::max(ascent, other.ascent - offset.y());
    descent = std::max(descent, other.descent + offset.y());
}

QFont Style::font(bool italic) const {
    QFont f(family);
    const qreal sizes[] = {fullPoints, scriptPoints, subScriptPoints};
    f.setPointSizeF(sizes[std::clamp(level, 0, 2)]);
    f.setItalic(italic);
    return f;
}

Style Style::smaller() const {
    Style s = *this;
    s.level = std::min(level + 1, 2);
    return s;
}

Style Style::scaled(qreal factor) const {
    Style s = *this;
    s.fullPoints *= factor;
    s.scriptPoints *= factor;
    s.subScriptPoints *= factor;
    return s;
}

Style defaultStyle() {
    Style s;
    s.family = substituteFontFamily(QStringLiteral("Times New Roman"));
    return s;
}

namespace {

// The height of a line of the style's font; the spacing rules below are fractions of it.
qreal lineHeight(const Style& style) {
    const QFontMetricsF fm(style.font(false));
    return fm.ascent() + fm.descent();
}

class TextNode : public Node {
public:
    TextNode(QString text, bool italic, Spacing spacing)
        : text_(std::move(text)), italic_(italic), spacing_(spacing) {}

    Layout layout(const Style& style) const override {
        const QFont font = style.font(italic_);
        const QFontMetricsF fm(font);
        // Scripts are set tighter than the full size.
        const qreal factor = style.level == 0 ? 1.0 : 0.5;
        const qreal em = lineHeight(style);
        qreal side = 0;
        switch (spacing_) {
        case Spacing::None:
            break;
        case Spacing::Thin:
            side = 0.08 * em * factor;
            break;
        case Spacing::Medium:
            side = 0.16 * em * factor;
            break;
        case Spacing::Thick:
            side = 0.24 * em * factor;
            break;
        }
        Layout out;
        out.runs.push_back({text_, font, QPointF(side, 0)});
        out.width = fm.horizontalAdvance(text_) + 2 * side;
        out.ascent = fm.ascent();
        out.descent = fm.descent();
        return out;
    }

private:
    QString text_;
    bool italic_;
    Spacing spacing_;
};

class RowNode : public Node {
public:
    explicit RowNode(std::vector<NodePtr> items) : items_(std::move(items)) {}

    Layout layout(const Style& style) const override {
        Layout out;
        for (const NodePtr& item : items_) out.append(item->layout(style), QPointF(out.width, 0));
        return out;
    }

private:
    std::vector<NodePtr> items_;
};

class FractionNode : public Node {
public:
    FractionNode(NodePtr numerator, NodePtr denominator)
        : numerator_(std::move(numerator)), denominator_(std::move(denominator)) {}

    Layout layout(const Style& style) const override {
        const Layout num = numerator_->layout(style);
        const Layout den = denominator_->layout(style);
        const qreal em = lineHeight(style);
        // The bar sits on the maths axis, the height of the minus sign.
        const qreal axis = QFontMetricsF(style.font(false)).strikeOutPos();
        const qreal thickness = std::max<qreal>(1.0, 0.05 * em);
        const qreal gap = 0.08 * em;
        const qreal pad = 0.08 * em;
        const qreal inner = std::max(num.width, den.width);
        const qreal barTop = -axis - thickness / 2;

        Layout out;
        out.append(num, QPointF(pad + (inner - num.width) / 2, barTop - gap - num.descent));
        out.append(den, QPointF(pad + (inner - den.width) / 2, barTop + thickness + gap + den.ascent));
        out.bars.push_back(QRectF(pad / 2, barTop, inner + pad, thickness));
        out.width = inner + 2 * pad;
        return out;
    }

private:
    NodePtr numerator_;
    NodePtr denominator_;
};

class ScriptNode : public Node {
public:
    ScriptNode(NodePtr base, NodePtr script, bool raised)
        : base_(std::move(base)), script_(std::move(script)), raised_(raised) {}

    Layout layout(const Style& style) const override {
        const Layout base = base_->layout(style);
        const Layout script = script_->layout(style.smaller());
        const qreal em = lineHeight(style);
        Layout out;
        out.append(base, QPointF(0, 0));
        if (raised_)
            out.append(script, QPointF(base.width + 0.04 * em, -0.36 * em));
        else
            out.append(script, QPointF(base.width + 0.01 * em, 0.22 * em));
        out.width += 0.04 * em; // keeps a following operator off the script
        return out;
    }

private:
    NodePtr base_;
    NodePtr script_;
    bool raised_;
};

} // namespace

NodePtr variable(const QString& letters) {
    return std::make_shared<TextNode>(letters, true, Spacing::None);
}
NodePtr upright(const QString& text) {
    return std::make_shared<TextNode>(text, false, Spacing::None);
}
NodePtr op(const QString& symbol, Spacing spacing) {
    return std::make_shared<TextNode>(symbol, false, spacing);
}
NodePtr row(std::initializer_list<NodePtr> items) {
    return std::make_shared<RowNode>(std::vector<NodePtr>(items));
}

NodePtr fraction(NodePtr numerator, NodePtr denominator) {
    return std::make_shared<FractionNode>(std::move(numerator), std::move(denominator));
}
NodePtr subscript(NodePtr base, NodePtr script) {
    return std::make_shared<ScriptNode>(std::move(base), std::move(script), false);
}
NodePtr superscript(NodePtr base, NodePtr script) {
    return std::make_shared<ScriptNode>(std::move(base), std::move(script), true);
}

void paint(QPainter& painter, const Layout& layout, QPointF baselineOrigin) {
    for (const GlyphRun& run : layout.runs) {
        painter.setFont(run.font);
        painter.drawText(baselineOrigin + run.origin, run.text);
    }
    for (const QRectF& bar : layout.bars)
        painter.fillRect(bar.translated(baselineOrigin), painter.pen().color());
}

} // namespace eh::typeset
