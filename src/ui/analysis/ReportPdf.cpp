#include "ui/analysis/ReportPdf.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "analysis/Samples.h"
#include "ui/analysis/ChartExport.h"
#include "ui/analysis/FitText.h"
#include "ui/analysis/SaveBytes.h"

namespace eh::analysis {

namespace {

constexpr int kDpi = 150;
constexpr std::size_t kMaxReportRows = 2000;

// Draws page after page, moving down a cursor and starting a new page when full.
class Pages {
public:
    Pages(QPdfWriter& pdf, QPainter& p) : pdf_(pdf), p_(p) {
        area_ = QRectF(QPointF(0, 0), pdf.pageLayout().paintRectPixels(kDpi).size());
    }
    double width() const { return area_.width(); }
    double left() const { return area_.bottom() - y_; }
    void need(double height) {
        if (y_ > 0 && y_ + height > area_.bottom() - footer()) newPage();
    }
    void newPage() {
        drawFooter();
        pdf_.newPage();
        y_ = 0;
        ++page_;
    }
    void text(const QString& t, double pointSize, bool bold = false, QColor color = Qt::black) {
        QFont f(QStringLiteral("Liberation Sans"), 1);
        f.setPointSizeF(pointSize);
        f.setBold(bold);
        p_.setFont(f);
        p_.setPen(color);
        const QRectF box = p_.boundingRect(QRectF(0, 0, width(), 10000), Qt::TextWordWrap, t);
        need(box.height());
        p_.drawText(QRectF(0, y_, width(), box.height()), Qt::TextWordWrap, t);
        y_ += box.height();
    }
    void gap(double h) { y_ += h; }
    double y() const { return y_; }
    void advance(double h) { y_ += h; }
    void finish() { drawFooter(); }

private:
    double footer() const { return 40; }
    void drawFooter() {
        QFont f(QStringLiteral("Liberation Sans"), 1);
        f.setPointSizeF(8);
        p_.setFont(f);
        p_.setPen(Qt::darkGray);
        p_.drawText(QRectF(0, area_.bottom() - 30, width(), 30), Qt::AlignRight | Qt::AlignBottom,
                    QStringLiteral("Tarvelo, informe de análisis — página %1").arg(page_));
    }

    QPdfWriter& pdf_;
    QPainter& p_;
    QRectF area_;
    double y_ = 0;
    int page_ = 1;
};

QString sampleText(const Analysis& a) {
    // An unknown sample's type is for the student to find: the report names its code only.
    if (!a.sampleCode.empty())
        return QStringLiteral("muestra problema %1").arg(QString::fromStdString(a.sampleCode));
    return QStringLiteral("muestra %1 (tipo %2)")
        .arg(a.sample)
        .arg(QString::fromStdString(sampleType(a.sample)));
}

void summary(Pages& pages, const std::vector<PlotSeries>& series, const FitSettings& settings) {
    pages.text(QStringLiteral("Informe de análisis de datos"), 18, true);
    pages.text(QStringLiteral("Tarvelo · ") +
                   QLocale(QLocale::Spanish, QLocale::Spain)
                       .toString(QDateTime::currentDateTime(), QLocale::LongFormat),
               9, false, Qt::darkGray);
    for (const QString& note : staleNotes(series)) {
        pages.gap(8);
        pages.text(note, 11, true, Qt::darkRed);
    }
    pages.gap(20);
    pages.text(
        QStringLiteral("Intervalos de ajuste: banda prohibida %1–%2 K; movilidad %3–%4 K; R_H con el campo a "
                       "%5 ± 1 K.")
            .arg(settings.gap.minK)
            .arg(settings.gap.maxK)
            .arg(settings.mobility.minK)
            .arg(settings.mobility.maxK)
            .arg(settings.fieldTemperatureK),
        10);
    for (std::size_t i = 0; i < series.size(); ++i) {
        const Analysis& a = *series[i].analysis;
        pages.gap(16);
        pages.text(series[i].label, 13, true, seriesColor(i));
        const std::size_t rejected = a.data.rejected.size();
        pages.text(
            QStringLiteral("%1 · %2 registros aceptados · %3 %4")
                .arg(sampleText(a))
                .arg(a.data.records.size())
                .arg(rejected)
                .arg(rejected == 1 ? QStringLiteral("línea rechazada") : QStringLiteral("líneas rechazadas")),
            10);
        for (const FitResult& f : a.fits) pages.text(QStringLiteral("• ") + fitSummary(f), 10);
        const QString sign = signChangeText(a);
        if (!sign.isEmpty()) pages.text(QStringLiteral("• ") + sign, 10);
        for (const Rejection& r : a.data.rejected)
            pages.text(QStringLiteral("  línea %1: %2").arg(r.line).arg(QString::fromStdString(r.reason)), 8,
                       false, Qt::darkRed);
        for (std::size_t k = 0; k < a.derived.size(); ++k)
            if (!a.derived[k].note.empty())
                pages.text(QStringLiteral("  línea %1: %2")
                               .arg(a.data.records[k].line)
                               .arg(QString::fromUtf8(a.derived[k].note.data(),
                                                      qsizetype(a.derived[k].note.size()))),
                           8, false, Qt::darkRed);
    }
}

void plots(Pages& pages, QPainter& p, const std::vector<PlotSeries>& series, const FitSettings& settings) {
    pages.newPage();
    const double height = pages.width() * kExportHeight / kExportWidth;
    for (PlotKind kind : kAllPlots) {
        pages.need(height + 10);
        paintPlot(p, QRectF(0, pages.y(), pages.width(), height), kind, series, settings);
        pages.advance(height + 20);
    }
}

void tables(Pages& pages, QPainter& p, const std::vector<PlotSeries>& series) {
    const QStringList headers = {QStringLiteral("Reg."),           QStringLiteral("T (K)"),
                                 QStringLiteral("B (G)"),          QStringLiteral("I (mA)"),
                                 QStringLiteral("ρ (Ω·cm)"),       QStringLiteral("R_H (cm³/C)"),
                                 QStringLiteral("Tipo"),           QStringLiteral("densidad (1/cm³)"),
                                 QStringLiteral("μ_H (cm²/(V·s))")};
    const double widths[] = {0.07, 0.11, 0.10, 0.09, 0.13, 0.14, 0.06, 0.15, 0.15};
    QFont f(QStringLiteral("Liberation Sans"), 1);
    f.setPointSizeF(7.5);
    const double rowHeight = 20;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const Analysis& a = *series[i].analysis;
        pages.newPage();
        pages.text(QStringLiteral("Datos: ") + series[i].label, 12, true, seriesColor(i));
        pages.gap(6);
        auto row = [&](const QStringList& cells, bool bold) {
            pages.need(rowHeight);
            f.setBold(bold);
            p.setFont(f);
            p.setPen(Qt::black);
            double x = 0;
            for (int c = 0; c < cells.size(); ++c) {
                const double w = widths[c] * pages.width();
                p.drawText(QRectF(x, pages.y(), w - 6, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                           cells[c]);
                x += w;
            }
            pages.advance(rowHeight);
        };
        row(headers, true);
        // A report is for reading: a very long series is cut short (the CSV has it all).
        const std::size_t rows = std::min(a.data.records.size(), kMaxReportRows);
        for (std::size_t k = 0; k < rows; ++k) {
            const Record& r = a.data.records[k];
            const Derived& d = a.derived[k];
            if (pages.left() < rowHeight + 60) {
                pages.newPage();
                row(headers, true);
            }
            row({cellText(r.number), cellText(r.temperatureK), cellText(r.fieldG), cellText(r.currentMa),
                 cellText(d.rhoOhmCm), cellText(d.hallCm3C), QString::fromLatin1(carrierLetter(d.carrier)),
                 cellText(d.densityCm3), cellText(d.mobilityCm2Vs)},
                false);
        }
        if (rows < a.data.records.size())
            pages.text(QStringLiteral("… y %1 registros más; la tabla completa se exporta como CSV.")
                           .arg(a.data.records.size() - rows),
                       9);
    }
}

} // namespace

QStringList staleNotes(const std::vector<PlotSeries>& series) {
    QStringList notes;
    for (const PlotSeries& s : series)
        if (!s.staleNote.isEmpty()) notes << s.staleNote;
    return notes;
}

QByteArray reportBytes(const std::vector<PlotSeries>& series, const FitSettings& settings) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Informe de análisis — Tarvelo"));
        pdf.setCreator(QStringLiteral("Tarvelo"));
        pdf.setResolution(kDpi);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter));
        QPainter p(&pdf);
        Pages pages(pdf, p);
        summary(pages, series, settings);
        plots(pages, p, series, settings);
        tables(pages, p, series);
        pages.finish();
    }
    return buffer.data();
}

bool writeReport(const QString& path, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 QString& error) {
    // Drawn whole in memory first: the file is written only once the report is complete.
    return saveBytes(path, reportBytes(series, settings), error);
}

} // namespace eh::analysis
