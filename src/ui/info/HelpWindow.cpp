#include "ui/info/HelpWindow.h"

#include <QLabel>
#include <QList>
#include <QPalette>
#include <QPushButton>

#include <algorithm>

#include "ui/common/WindowFonts.h"
#include "ui/info/FormulaWidget.h"

namespace eh {

HelpWindow::HelpWindow(QWidget* parent, const QString& caption, QSize clientSize, const QColor& background)
    : QDialog(parent) {
    setWindowTitle(caption);
    // The content keeps its place; resizing only uncovers or hides background.
    resize(clientSize);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, background);
    setPalette(pal);
    setAutoFillBackground(true);
}

QLabel* HelpWindow::addLabel(const QString& name, QRect rect, const QString& text, const LabelStyle& style) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(style.alignment);
    label->setFont(windowFont({style.family, style.points}));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, style.color);
    if (style.background.isValid()) {
        pal.setColor(QPalette::Window, style.background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(pal);
    label->setText(text);
    // The boxes were measured for fonts with tighter lines than the installed ones: a
    // text that needs more height grows its box downwards rather than lose the foot
    // of its last line.
    const int needed = label->heightForWidth(rect.width());
    if (needed > rect.height()) label->resize(rect.width(), needed);
    return label;
}

void HelpWindow::addFormula(const QString& name, QRect rect, const typeset::NodePtr& formula) {
    auto* widget = new FormulaWidget(formula, this);
    widget->setObjectName(name);
    widget->setGeometry(rect);
    // The formulas of one window share one type size, the largest at which all of them fit.
    const QList<FormulaWidget*> all = findChildren<FormulaWidget*>();
    qreal scale = widget->fittingScale();
    for (const FormulaWidget* f : all) scale = std::min(scale, f->fittingScale());
    for (FormulaWidget* f : all) f->setScale(scale);
}

QPushButton* HelpWindow::addCloseButton(QRect rect, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QStringLiteral("Command1"));
    button->setGeometry(rect);
    button->setFont(defaultWindowFont());
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &QDialog::reject);
    return button;
}

} // namespace eh
