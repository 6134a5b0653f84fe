#pragma once
// Shows one typeset formula centred in the rectangle its window gives it.

#include <QWidget>

#include "ui/info/FormulaLayout.h"

namespace eh {

class FormulaWidget : public QWidget {
    Q_OBJECT
public:
    FormulaWidget(typeset::NodePtr formula, QWidget* parent = nullptr);

    // The largest type scale, relative to the formula editor's usual sizes, at which the
    // formula fits the widget with a little margin.
    qreal fittingScale() const;
    void setScale(qreal scale);

    const typeset::Layout& formulaLayout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fits(const typeset::Layout& layout) const;

    typeset::NodePtr formula_;
    typeset::Layout layout_;
};

} // namespace eh
