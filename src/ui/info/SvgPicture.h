#pragma once
// A picture drawn from a vector asset, filling the widget's rectangle.

#include <QSvgRenderer>
#include <QWidget>

namespace eh {

class SvgPicture : public QWidget {
    Q_OBJECT
public:
    SvgPicture(const QString& resource, QWidget* parent = nullptr);

    bool isValid() const { return renderer_.isValid(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};

} // namespace eh
