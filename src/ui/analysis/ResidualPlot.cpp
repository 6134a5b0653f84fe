#include "ui/analysis/ResidualPlot.h"

#include <algorithm>
#include <cmath>

#include "analysis/NumberText.h"

namespace eh::analysis {

namespace {

// Tick labels of three significant figures, written as in the rest of the report.
QString tick(double v) {
    return QString::fromStdString(numberText(v, 3));
}

// The abscissa the residuals are shown against: the temperature, or the field.
double shownX(const Analysis& a, const FitResult& f, std::size_t k) {
    const Record& r = a.data.records[f.used[k]];
    return f.kind == FitKind::HallFromField ? r.fieldG : r.temperatureK;
}

} // namespace

std::vector<double> fitResiduals(const FitResult& f) {
    std::vector<double> out;
    if (!f.line) return out;
    for (std::size_t k = 0; k < f.x.size(); ++k)
        out.push_back(f.y[k] - (f.line->intercept + f.line->slope * f.x[k]));
    return out;
}

void paintResiduals(QPainter& p, const QRectF& target, const Analysis& a, const FitResult& f,
                    const QColor& color) {
    const std::vector<double> residuals = fitResiduals(f);
    if (residuals.empty()) return;
    QFont font = p.font();
    font.setPixelSize(std::max(8, int(target.height() / 11)));
    p.setFont(font);
    const double labelWidth = p.fontMetrics().horizontalAdvance(QStringLiteral("−0,000e−00")) + 6;
    const double labelHeight = p.fontMetrics().height();
    const QRectF box = target.adjusted(labelWidth, 4, -8, -labelHeight - 4);

    double xMin = shownX(a, f, 0), xMax = xMin, extent = 0;
    for (std::size_t k = 0; k < residuals.size(); ++k) {
        xMin = std::min(xMin, shownX(a, f, k));
        xMax = std::max(xMax, shownX(a, f, k));
        extent = std::max(extent, std::fabs(residuals[k]));
    }
    if (xMax == xMin) xMin -= 1, xMax += 1;
    // No point on the frame at either end.
    const double margin = (xMax - xMin) * 0.03;
    xMin -= margin, xMax += margin;
    if (extent == 0) extent = 1;
    extent *= 1.15; // no point on the frame
    const auto px = [&](double x) { return box.left() + (x - xMin) / (xMax - xMin) * box.width(); };
    const auto py = [&](double r) { return box.center().y() - r / extent * box.height() / 2; };

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::gray, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
    p.setPen(QPen(color, 1.2));
    p.setBrush(color);
    const double dot = std::max(2.0, box.height() / 40);
    for (std::size_t k = 0; k < residuals.size(); ++k)
        p.drawEllipse(QPointF(px(shownX(a, f, k)), py(residuals[k])), dot, dot);

    p.setPen(Qt::black);
    const auto left = [&](double y, const QString& t) {
        p.drawText(QRectF(target.left(), y - labelHeight / 2, labelWidth - 6, labelHeight),
                   Qt::AlignRight | Qt::AlignVCenter, t);
    };
    left(py(extent / 1.15), tick(extent / 1.15));
    left(box.center().y(), QStringLiteral("0"));
    left(py(-extent / 1.15), tick(-extent / 1.15));
    const QString unit = f.kind == FitKind::HallFromField ? QStringLiteral(" G") : QStringLiteral(" K");
    p.drawText(QRectF(box.left(), box.bottom() + 2, box.width(), labelHeight), Qt::AlignLeft | Qt::AlignTop,
               tick(xMin + margin) + unit);
    p.drawText(QRectF(box.left(), box.bottom() + 2, box.width(), labelHeight), Qt::AlignRight | Qt::AlignTop,
               tick(xMax - margin) + unit);
}

} // namespace eh::analysis
