#include "ui/analysis/ReportPages.h"

#include <QPageLayout>

namespace eh::analysis {

namespace {

constexpr double kFooterHeight = 45;

} // namespace

ReportPages::ReportPages(QPagedPaintDevice& device, QPainter& painter, int totalPages)
    : device_(device), p_(painter), total_(totalPages) {
    // One coordinate system for every device: a printer at 600 dpi draws the same
    // page as the PDF writer at 150.
    const double resolution = device.logicalDpiY();
    p_.scale(resolution / kUnitsPerInch, resolution / kUnitsPerInch);
    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Inch);
    area_ = QRectF(0, 0, paint.width() * kUnitsPerInch, paint.height() * kUnitsPerInch);
}

QFont ReportPages::font(double pointSize, bool bold) const {
    // Sized in the page's units, so that the painter's scale makes it the size asked.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(std::max(1, int(std::lround(pointSize * kUnitsPerInch / 72))));
    f.setBold(bold);
    return f;
}

double ReportPages::bottom() const {
    return area_.bottom() - kFooterHeight;
}

void ReportPages::need(double height) {
    if (y_ > 0 && y_ + height > bottom()) newPage();
}

void ReportPages::newPage() {
    drawFooter();
    if (drawing()) device_.newPage();
    y_ = 0;
    ++page_;
}

void ReportPages::text(const QString& t, double pointSize, bool bold, const QColor& color) {
    p_.setFont(font(pointSize, bold));
    const QRectF box = p_.boundingRect(QRectF(0, 0, width(), 100000), Qt::TextWordWrap, t);
    need(box.height());
    if (drawing()) {
        p_.setPen(color);
        p_.drawText(QRectF(0, y_, width(), box.height()), Qt::TextWordWrap, t);
    }
    y_ += box.height();
}

void ReportPages::row(const QStringList& cells, const std::vector<double>& shares, double pointSize,
                      bool bold, const std::vector<Qt::Alignment>& alignment) {
    const QFont f = font(pointSize, bold);
    p_.setFont(f);
    // As high as its tallest wrapped cell.
    double height = 0;
    for (int c = 0; c < cells.size(); ++c) {
        const double w = shares.at(std::size_t(c)) * width() - 8;
        height =
            std::max(height, p_.boundingRect(QRectF(0, 0, w, 100000), Qt::TextWordWrap, cells[c]).height());
    }
    height += 6;
    need(height);
    if (drawing()) {
        p_.setPen(Qt::black);
        double x = 0;
        for (int c = 0; c < cells.size(); ++c) {
            const double w = shares.at(std::size_t(c)) * width();
            const Qt::Alignment align =
                std::size_t(c) < alignment.size() ? alignment[std::size_t(c)] : Qt::AlignRight;
            p_.drawText(QRectF(x + 4, y_ + 3, w - 8, height - 6),
                        int(align | Qt::AlignTop) | Qt::TextWordWrap, cells[c]);
            x += w;
        }
    }
    y_ += height;
}

void ReportPages::picture(double height, const std::function<void(QPainter&, const QRectF&)>& paint) {
    need(height);
    if (drawing()) {
        p_.save();
        paint(p_, QRectF(0, y_, width(), height));
        p_.restore();
    }
    y_ += height;
}

void ReportPages::rule() {
    if (drawing()) {
        p_.setPen(QPen(Qt::gray, 1));
        p_.drawLine(QPointF(0, y_ + 2), QPointF(width(), y_ + 2));
    }
    y_ += 5;
}

void ReportPages::drawFooter() {
    if (!drawing()) return;
    p_.setFont(font(8));
    p_.setPen(Qt::darkGray);
    p_.drawText(QRectF(0, area_.bottom() - 30, width(), 30), Qt::AlignRight | Qt::AlignBottom,
                QStringLiteral("Tarvelo, informe de análisis — página %1 de %2").arg(page_).arg(total_));
}

void ReportPages::finish() {
    drawFooter();
}

} // namespace eh::analysis
