#pragma once
// A push button of the instruments: raised, with its caption in dark red.

#include <QPushButton>

namespace eh {

class BenchButton : public QPushButton {
    Q_OBJECT
public:
    BenchButton(const QString& caption, QWidget* parent = nullptr);

    void setCaptionColor(const QColor& color);
    QColor captionColor() const { return palette().color(QPalette::Active, QPalette::ButtonText); }
};

} // namespace eh
