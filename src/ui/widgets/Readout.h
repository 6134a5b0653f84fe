#pragma once
// A numeric readout: light grey label with a thin black border and bold digits.

#include <QLabel>

namespace eh {

class Readout : public QLabel {
    Q_OBJECT
public:
    Readout(const QFont& font, Qt::Alignment alignment, QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
    QColor textColor() const { return palette().color(QPalette::WindowText); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace eh
