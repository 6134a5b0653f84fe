#include "ui/analysis/ChartExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <memory>

#include "ui/analysis/SaveBytes.h"

namespace eh::analysis {

void paintPlot(QPainter& painter, const QRectF& target, PlotKind kind, const std::vector<PlotSeries>& series,
               const FitSettings& settings, bool withResiduals) {
    // The charts live in a scene of their own for the painting and go with it: each
    // panel's plot with its residuals under it, panels one below the other.
    QGraphicsScene scene;
    const QSizeF size(kExportWidth, kExportWidth * target.height() / std::max(1.0, target.width()));
    const std::vector<PlotPanel> panels = buildPanels(kind, series, settings, defaultScales(kind));
    double shares = 0;
    for (const PlotPanel& panel : panels)
        shares += 1 + (panel.residuals && withResiduals ? kResidualShare : 0);
    const double unit = size.height() / std::max(1.0, shares);
    double y = 0;
    auto place = [&](QChart* chart, double height) {
        scene.addItem(chart);
        chart->resize(size.width(), height);
        chart->setPos(0, y);
        y += height;
    };
    for (const PlotPanel& panel : panels) {
        place(panel.chart, unit);
        if (panel.residuals && withResiduals)
            place(panel.residuals, unit * kResidualShare);
        else
            delete panel.residuals; // not in the scene, which owns only what it shows
    }
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, target, scene.sceneRect(), Qt::KeepAspectRatio);
    painter.restore();
}

namespace {

// Each format is drawn whole in memory, then written as one file.
bool writePng(const QString& path, PlotKind kind, const std::vector<PlotSeries>& series,
              const FitSettings& settings, QString& error) {
    QImage image(2 * kExportWidth, 2 * kExportHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        paintPlot(p, QRectF(0, 0, image.width(), image.height()), kind, series, settings);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        error = QStringLiteral("No se puede escribir %1").arg(path);
        return false;
    }
    return saveBytes(path, buffer.data(), error);
}

bool writeSvg(const QString& path, PlotKind kind, const std::vector<PlotSeries>& series,
              const FitSettings& settings, QString& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(kExportWidth, kExportHeight));
        svg.setViewBox(QRect(0, 0, kExportWidth, kExportHeight));
        svg.setTitle(plotTitle(kind));
        svg.setDescription(QStringLiteral("Tarvelo, análisis de datos"));
        QPainter p(&svg);
        paintPlot(p, QRectF(0, 0, kExportWidth, kExportHeight), kind, series, settings);
    }
    return saveBytes(path, buffer.data(), error);
}

bool writePdf(const QString& path, PlotKind kind, const std::vector<PlotSeries>& series,
              const FitSettings& settings, QString& error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(plotTitle(kind));
        pdf.setCreator(QStringLiteral("Tarvelo"));
        pdf.setResolution(150);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        QPainter p(&pdf);
        paintPlot(p, QRectF(QPointF(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size()), kind,
                  series, settings);
    }
    return saveBytes(path, buffer.data(), error);
}

} // namespace

bool exportPlot(const QString& path, PlotKind kind, const std::vector<PlotSeries>& series,
                const FitSettings& settings, QString& error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return writePng(path, kind, series, settings, error);
    if (suffix == QLatin1String("svg")) return writeSvg(path, kind, series, settings, error);
    if (suffix == QLatin1String("pdf")) return writePdf(path, kind, series, settings, error);
    error = QStringLiteral("Formato desconocido: use .png, .svg o .pdf");
    return false;
}

} // namespace eh::analysis
