#pragma once
// Shows one typeset formula centred in the rectangle its window gives it.

#include <QWidget>

#include "ui/info/FormulaLayout.h"

namespace eh {

class FormulaWidget : public QWidget {
    Q_OBJECT
public:
    FormulaWidget(formula::NodePtr formula, QWidget* parent = nullptr);

    // The largest type scale, relative to the formula editor's usual sizes, at which the
    // formula fits the widget with a little margin.
    qreal fittingScale() const;
    void setScale(qreal scale);

    const formula::Layout& formulaLayout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fits(const formula::Layout& layout) const;

    formula::NodePtr formula_;
    formula::Layout layout_;
};

} // namespace eh
