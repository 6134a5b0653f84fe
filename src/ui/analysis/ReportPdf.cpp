#include "ui/analysis/ReportPdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "ui/analysis/ReportPages.h"
#include "ui/analysis/SaveBytes.h"

namespace eh::analysis {

namespace {

constexpr int kPdfDpi = 150;

QPageLayout a4() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 18, 15),
                       QPageLayout::Millimeter);
}

// Lays the report out on `pages`; returns the number of pages it took.
int layOut(ReportPages& pages, const std::vector<PlotSeries>& series, const FitSettings& settings,
           const ReportInfo& info) {
    // The formulas are short and fill the first page; each figure then starts where it
    // fits whole.
    reportFirstPage(pages, series, settings, info);
    pages.gap(20);
    reportFormulas(pages, settings);
    reportFigures(pages, series, settings);
    reportData(pages, series);
    pages.finish();
    return pages.page();
}

} // namespace

QStringList staleNotes(const std::vector<PlotSeries>& series) {
    QStringList notes;
    for (const PlotSeries& s : series)
        if (!s.staleNote.isEmpty()) notes << s.staleNote;
    return notes;
}

void drawReport(QPagedPaintDevice& device, const std::vector<PlotSeries>& series, const FitSettings& settings,
                const ReportInfo& info) {
    // First counted on a scratch page of the same size, without drawing, so that every
    // footer can give the total.
    int total = 0;
    {
        QBuffer scratch;
        scratch.open(QIODevice::WriteOnly);
        QPdfWriter counter(&scratch);
        counter.setResolution(kPdfDpi);
        counter.setPageLayout(device.pageLayout());
        QPainter p(&counter);
        ReportPages pages(counter, p, 0);
        total = layOut(pages, series, settings, info);
    }
    QPainter p(&device);
    ReportPages pages(device, p, total);
    layOut(pages, series, settings, info);
}

QByteArray reportBytes(const std::vector<PlotSeries>& series, const FitSettings& settings,
                       const ReportInfo& info) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Informe de análisis — Tarvelo"));
        pdf.setCreator(QStringLiteral("Tarvelo"));
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(a4());
        drawReport(pdf, series, settings, info);
    }
    return buffer.data();
}

bool writeReport(const QString& path, const std::vector<PlotSeries>& series, const FitSettings& settings,
                 const ReportInfo& info, QString& error) {
    // Drawn whole in memory first: the file is written only once the report is complete.
    return saveBytes(path, reportBytes(series, settings, info), error);
}

} // namespace eh::analysis
