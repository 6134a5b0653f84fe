#include "analysis/NumberText.h"
#include "ui/analysis/ChartExport.h"
#include "ui/analysis/FitText.h"
#include "ui/analysis/ReportSections.h"
#include "ui/analysis/ResidualPlot.h"

namespace eh::analysis {

namespace {

// What each figure shows, for its caption.
QString caption(PlotKind kind, const FitSettings& settings) {
    switch (kind) {
    case PlotKind::Resistivity:
        return QStringLiteral("Resistividad ρ frente a la temperatura.");
    case PlotKind::Hall:
        return QStringLiteral("Coeficiente de Hall R_H frente a la temperatura.");
    case PlotKind::Mobility:
        return QStringLiteral("Movilidad de Hall μ_H frente a la temperatura y ajuste de la ley μ_H ∝ T^−α.");
    case PlotKind::Gap:
        return QStringLiteral("ln σ y ln(|R_H|·T^3/2) frente a 1000/T, con las rectas de las que se obtiene "
                              "la anchura de la banda prohibida.");
    case PlotKind::FieldHall:
        return QStringLiteral("Tensión de Hall frente al campo magnético a %1 K, con su recta.")
            .arg(QString::fromStdString(numberText(settings.fieldTemperatureK, 4)));
    }
    return {};
}

} // namespace

void reportFigures(ReportPages& pages, const std::vector<PlotSeries>& series, const FitSettings& settings) {
    const double plotHeight = pages.width() * 0.5;
    const double residualHeight = pages.width() * 0.14;
    int number = 0;
    for (PlotKind kind : kAllPlots) {
        // The plot, its caption and the first lines of its fit stay on one page. The
        // band gap has two panels, each as tall as another plot; the residuals follow
        // each fit's text below, larger than under the plot.
        const double height = kind == PlotKind::Gap ? 1.6 * plotHeight : plotHeight;
        pages.need(height + 90);
        pages.picture(height, [&](QPainter& p, const QRectF& target) {
            paintPlot(p, target, kind, series, settings, false);
        });
        pages.text(QStringLiteral("Figura %1. %2").arg(++number).arg(caption(kind, settings)), 9.5, true);
        for (std::size_t i = 0; i < series.size(); ++i) {
            const Analysis& a = *series[i].analysis;
            for (FitKind fk : fitsShownWith(kind))
                for (const FitResult& f : a.fits) {
                    if (f.kind != fk) continue;
                    // The fit's text stays with its residuals.
                    if (f.line) pages.need(residualHeight + 70);
                    pages.text(series[i].label + QStringLiteral(": ") + fitSummary(f), 9, false,
                               seriesColor(i));
                    if (!f.line) continue;
                    QString quality = fitQualityText(f);
                    if (const QString intercept = interceptText(f); !intercept.isEmpty())
                        quality += QStringLiteral("; ") + intercept;
                    if (!quality.isEmpty()) pages.text(quality, 8.5, false, seriesColor(i));
                    pages.text(QStringLiteral("Residuos del ajuste %1 (ordenada medida menos recta)")
                                   .arg(fitLabel(fk)),
                               8, false, Qt::darkGray);
                    pages.picture(residualHeight, [&](QPainter& p, const QRectF& target) {
                        paintResiduals(p, target, a, f, seriesColor(i));
                    });
                }
        }
        pages.gap(24);
    }
}

void reportFormulas(ReportPages& pages, const FitSettings& settings) {
    pages.need(300);
    pages.text(QStringLiteral("Fórmulas empleadas"), 12, true);
    pages.rule();
    pages.gap(4);
    const QString lines[] = {
        QStringLiteral("Resistividad ρ = V_r·a·d/(I·L) y conductividad σ = 1/ρ, con L la distancia entre los "
                       "contactos de resistividad, a la anchura y d el grosor de la barra."),
        QStringLiteral(
            "Tensión de Hall V_H = (V(+) − V(−))/2, de las lecturas con los dos sentidos del campo; "
            "coeficiente de Hall R_H = V_H·d/(I·B)."),
        QStringLiteral("Concentración de portadores 1/(e·|R_H|), electrones si R_H < 0 y huecos si R_H > 0, "
                       "y movilidad de Hall μ_H = |R_H|/ρ."),
        QStringLiteral("Banda prohibida: en el régimen intrínseco ln σ = cte − E_g/(2kT) y ln(|R_H|·T^3/2) = "
                       "cte + E_g/(2kT); E_g sale de la pendiente frente a 1/T, con k = 8,617·10⁻⁵ eV/K."),
        QStringLiteral("Movilidad: μ_H ∝ T^−α; α es menos la pendiente de ln μ_H frente a ln T."),
        QStringLiteral(
            "R_H con el campo: pendiente de la recta V_H(B) a temperatura fija, R_H = pendiente·d/I."),
        settings.weighted
            ? QStringLiteral("Ajustes por mínimos cuadrados ponderados con las incertidumbres de cada punto, "
                             "obtenidas de la resolución de cada lectura (último dígito de cada pantalla).")
            : QStringLiteral("Ajustes por mínimos cuadrados ordinarios; el χ² reducido compara los residuos "
                             "con las incertidumbres de los instrumentos (último dígito de cada pantalla)."),
    };
    for (const QString& line : lines) pages.text(QStringLiteral("• ") + line, 9);
    pages.gap(16);
}

} // namespace eh::analysis
