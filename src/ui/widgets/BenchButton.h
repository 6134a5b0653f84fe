#pragma once
// A push button of the instruments: raised, with its caption in dark red. Reached with
// Tab and pressed with Space; its focus frame shows only while the keyboard is in use.

#include <QPushButton>

#include "ui/widgets/FocusCue.h"

namespace eh {

class BenchButton : public QPushButton {
    Q_OBJECT
public:
    BenchButton(const QString& caption, QWidget* parent = nullptr);

    void setCaptionColor(const QColor& color);
    QColor captionColor() const { return palette().color(QPalette::Active, QPalette::ButtonText); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    FocusCue focus_;
};

} // namespace eh
