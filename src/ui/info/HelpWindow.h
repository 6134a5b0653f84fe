#pragma once
// Common frame of the help windows: fixed layout in twips, labels with wrapped text on a
// background of their own, and the `Command1` button that closes the window.

#include <QColor>
#include <QDialog>
#include <QRect>
#include <QString>

#include "ui/info/FormulaLayout.h"

class QLabel;
class QPushButton;

namespace eh {

inline const QColor kRed{255, 0, 0};
inline const QColor kDarkRed{192, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kWhite{255, 255, 255};

struct LabelStyle {
    const char* family = "Arial"; // as in the window layouts, see windowFont()
    double points = 11.25;
    QColor color = kRed;
    QColor background = kWhite; // an invalid colour leaves the window background showing
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(QWidget* parent, const QString& caption, QSize clientSize, const QColor& background);

protected:
    QLabel* addLabel(const QString& name, QRect rect, const QString& text, const LabelStyle& style = {});
    void addFormula(const QString& name, QRect rect, const typeset::NodePtr& formula);
    // `Command1`, which closes the window like its close box does.
    QPushButton* addCloseButton(QRect rect, const QString& text);
};

} // namespace eh
