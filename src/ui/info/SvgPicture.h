#pragma once
// A picture drawn from a vector asset, filling the widget's rectangle. The asset is
// read through Qt's image plugins at the widget's size, so the SVG support is loaded
// only when a window shows such a picture.

#include <QImage>
#include <QString>
#include <QWidget>

namespace eh {

class SvgPicture : public QWidget {
    Q_OBJECT
public:
    SvgPicture(const QString& resource, QWidget* parent = nullptr);

    // Whether the asset can be read (it exists and a plugin knows its format).
    bool isValid() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    QImage rendered_;   // at the last painted size, in device pixels
    QSize renderedFor_; // that size, kept also when the asset could not be read
};

} // namespace eh
