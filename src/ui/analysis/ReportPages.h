#pragma once
// The report's pages as a cursor moving down them: text, tables and pictures are
// placed one under the other, and a new page starts when the next item would not fit.
// A report is laid out twice: once without drawing, to count its pages, then for real,
// so that every footer can say "página N de M".

#include <QColor>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>

namespace eh::analysis {

class ReportPages {
public:
    // All lengths are in units of kUnitsPerInch, whatever the device's resolution.
    static constexpr double kUnitsPerInch = 150;

    // `totalPages` is 0 on the counting pass, when nothing is drawn.
    ReportPages(QPagedPaintDevice& device, QPainter& painter, int totalPages);

    double width() const { return area_.width(); }
    double y() const { return y_; }
    double spaceLeft() const { return bottom() - y_; }
    int page() const { return page_; }
    bool drawing() const { return total_ > 0; }

    // Starts a new page unless `height` still fits on this one (or the page is empty).
    void need(double height);
    void newPage();
    void gap(double height) { y_ += height; }

    // A paragraph over the whole width, wrapped.
    void text(const QString& t, double pointSize, bool bold = false, const QColor& color = Qt::black);
    // Cells in columns of the given shares of the width, on one line.
    void row(const QStringList& cells, const std::vector<double>& shares, double pointSize, bool bold,
             const std::vector<Qt::Alignment>& alignment = {});
    // A picture `height` high over the whole width, drawn by `paint` into the given rectangle.
    void picture(double height, const std::function<void(QPainter&, const QRectF&)>& paint);
    // A thin rule under what was placed last.
    void rule();

    // Closes the last page (its footer).
    void finish();

    QFont font(double pointSize, bool bold = false) const;

private:
    double bottom() const;
    void drawFooter();

    QPagedPaintDevice& device_;
    QPainter& p_;
    QRectF area_;
    double y_ = 0;
    int page_ = 1;
    int total_;
};

} // namespace eh::analysis
