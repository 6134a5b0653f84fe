#pragma once
// A lamp: a filled circle with a black rim whose colour the bench sets.

#include <QColor>
#include <QWidget>

namespace eh {

class Led : public QWidget {
    Q_OBJECT
public:
    explicit Led(const QColor& fill, QWidget* parent = nullptr);

    QColor fillColor() const { return fill_; }
    void setFillColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

} // namespace eh
