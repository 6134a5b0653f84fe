#include "ui/info/FormulaWidget.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace eh {

FormulaWidget::FormulaWidget(typeset::NodePtr formula, QWidget* parent)
    : QWidget(parent), formula_(std::move(formula)), layout_(formula_->layout(typeset::defaultStyle())) {}

bool FormulaWidget::fits(const typeset::Layout& layout) const {
    return layout.width <= width() && layout.ascent + layout.descent <= height();
}

qreal FormulaWidget::fittingScale() const {
    const typeset::Style base = typeset::defaultStyle();
    const QRectF natural = formula_->layout(base).bounds();
    if (natural.isEmpty() || width() <= 0 || height() <= 0) return 1;
    qreal scale = 0.94 * std::min(width() / natural.width(), height() / natural.height());
    // Glyph metrics do not grow exactly in proportion; step down until it fits.
    while (scale > 0.2 && !fits(formula_->layout(base.scaled(scale)))) scale *= 0.96;
    return scale;
}

void FormulaWidget::setScale(qreal scale) {
    layout_ = formula_->layout(typeset::defaultStyle().scaled(scale));
    update();
}

void FormulaWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    const QRectF bounds = layout_.bounds();
    const QPointF topLeft(std::round((width() - bounds.width()) / 2),
                          std::round((height() - bounds.height()) / 2));
    typeset::paint(painter, layout_, topLeft + QPointF(0, layout_.ascent));
}

} // namespace eh
