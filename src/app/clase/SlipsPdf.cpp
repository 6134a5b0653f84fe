#include "app/clase/SlipsPdf.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace eh::clase {
namespace {

constexpr int kDpi = 300;
constexpr std::size_t kColumns = 2, kRows = 5;
constexpr double kMarginMm = 10;

double mm(double millimetres) {
    return millimetres * kDpi / 25.4;
}

QFont font(const char* family, double points, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The largest size up to `points` at which `text` fits `width` on one line.
QFont fitted(QPainter& p, const QString& text, double width, double points, bool bold) {
    QFont f = font("Liberation Sans", points, bold);
    while (f.pointSizeF() > 6 && QFontMetricsF(f, p.device()).horizontalAdvance(text) > width)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    return f;
}

void drawSlip(QPainter& p, const QRectF& box, const KeyRow& row) {
    QPen cut(Qt::gray, mm(0.2), Qt::DashLine);
    p.setPen(cut);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    const QRectF in = box.adjusted(mm(5), mm(4), -mm(5), -mm(3));
    const QString code = QString::fromStdString(row.code.text());
    p.setPen(Qt::black);
    p.setFont(font("Liberation Sans", 7.5));
    p.drawText(QRectF(in.left(), in.top(), in.width(), mm(4)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tarvelo · muestra problema"));
    const QString name = QString::fromStdString(row.student);
    p.setFont(fitted(p, name, in.width(), 13, true));
    p.drawText(QRectF(in.left(), in.top() + mm(4.5), in.width(), mm(7)), Qt::AlignLeft | Qt::AlignVCenter,
               name);
    const QString group =
        row.group.empty() ? QString() : QStringLiteral("Grupo: %1").arg(QString::fromStdString(row.group));
    p.setFont(fitted(p, group, in.width(), 9.5, false));
    p.drawText(QRectF(in.left(), in.top() + mm(11.5), in.width(), mm(5)), Qt::AlignLeft | Qt::AlignVCenter,
               group);
    p.setFont(font("Liberation Mono", 22, true));
    p.drawText(QRectF(in.left(), in.top() + mm(17), in.width(), mm(11)), Qt::AlignHCenter | Qt::AlignVCenter,
               code);
    const QStringList steps = {
        QStringLiteral(
            "1. Banco: arránquelo con «tarvelo --codigo %1», o en «Información sobre las muestras» "
            "pulse «Muestra problema…» y escriba el código.")
            .arg(code),
        QStringLiteral("2. Elija «Muestra problema» en la lista de muestras y mida como con cualquier otra."),
        QStringLiteral(
            "3. Análisis: «tarvelo-analisis --muestra %1», o elija «Muestra problema…» con el mismo "
            "código.")
            .arg(code)};
    p.setFont(font("Liberation Sans", 7));
    const QRectF stepsBox(in.left(), in.top() + mm(29), in.width(), in.bottom() - in.top() - mm(29));
    p.drawText(stepsBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, steps.join(QLatin1Char('\n')));
}

} // namespace

QByteArray slipsPdf(const std::vector<KeyRow>& rows) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Fichas de muestras problema — Tarvelo"));
        pdf.setCreator(QStringLiteral("Tarvelo"));
        pdf.setResolution(kDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
        QPainter p(&pdf);
        const double width = (210 - 2 * kMarginMm) / kColumns, height = (297 - 2 * kMarginMm) / kRows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::size_t slot = i % (kColumns * kRows);
            if (i > 0 && slot == 0) pdf.newPage();
            const std::size_t column = slot % kColumns, row = slot / kColumns; // slots fill rows first
            const QRectF box(mm(kMarginMm + static_cast<double>(column) * width),
                             mm(kMarginMm + static_cast<double>(row) * height), mm(width), mm(height));
            drawSlip(p, box, rows[i]);
        }
    }
    return buffer.data();
}

} // namespace eh::clase
