#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "analysis/NumberText.h"
#include "analysis/Samples.h"
#include "ui/analysis/FitText.h"
#include "ui/analysis/ReportPdf.h"
#include "ui/analysis/ReportSections.h"

namespace eh::analysis {

namespace {

// Spanish notation, as every number of the report.
QString number(double v, int significant = 4) {
    return QString::fromStdString(numberText(v, significant));
}

QString orDash(const QString& s) {
    return s.trimmed().isEmpty() ? QStringLiteral("—") : s.trimmed();
}

QString rangeText(const Range& r) {
    return QStringLiteral("%1–%2 K").arg(number(r.minK), number(r.maxK));
}

// The results as a table: what, value with uncertainty, range, points, χ²_red.
void resultsTable(ReportPages& pages, const Analysis& a) {
    const std::vector<double> shares = {0.2, 0.34, 0.18, 0.12, 0.16};
    const std::vector<Qt::Alignment> align = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight,
                                              Qt::AlignRight};
    pages.row({QStringLiteral("Magnitud"), QStringLiteral("Valor"), QStringLiteral("Intervalo"),
               QStringLiteral("Puntos"), QStringLiteral("χ² reducido")},
              shares, 9, true, align);
    pages.rule();
    for (const FitResult& f : a.fits) {
        const QString range = f.kind == FitKind::HallFromField
                                  ? QStringLiteral("%1 ± 1 K").arg(number((f.range.minK + f.range.maxK) / 2))
                                  : rangeText(f.range);
        if (!f.value) {
            pages.row({fitLabel(f.kind), QStringLiteral("sin ajuste: ") + QString::fromStdString(f.note),
                       range, QString::number(f.used.size()), QString()},
                      shares, 9, false, align);
            continue;
        }
        QString value = measurementText(*f.value, *f.uncertainty, fitValueUnit(f.kind));
        if (f.kind == FitKind::MobilityExponent)
            value += QStringLiteral(" (") + mobilityLawText(*f.value, *f.uncertainty) + ')';
        if (!f.warning.empty()) value += QStringLiteral("\n") + QString::fromStdString(f.warning);
        pages.row({fitLabel(f.kind), value, range, QString::number(f.used.size()),
                   f.chi2Reduced ? cellText(*f.chi2Reduced, 2) : QString()},
                  shares, 9, false, align);
    }
    // The two band gaps' difference: what the method moves the result by.
    if (const QString difference = gapDifferenceText(a.fits); !difference.isEmpty()) {
        pages.gap(4);
        pages.text(difference + '.', 9.5);
    }
}

void seriesBlock(ReportPages& pages, const PlotSeries& s, const FitSettings& settings, const QColor& color) {
    const Analysis& a = *s.analysis;
    pages.need(200); // a heading is never left alone at the foot of a page
    pages.text(s.label, 12, true, color);
    pages.text(QStringLiteral("Fichero: ") + QDir::toNativeSeparators(QString::fromStdString(a.path)), 9);
    pages.text(QStringLiteral("Muestra: ") + reportSampleText(a), 9);
    std::size_t warned = 0;
    for (const Derived& d : a.derived) warned += d.warnings != 0;
    const std::size_t rejected = a.data.rejected.size();
    pages.text(
        QStringLiteral("%1 %2 · %3 %4 · %5 %6")
            .arg(a.data.records.size())
            .arg(a.data.records.size() == 1 ? QStringLiteral("registro") : QStringLiteral("registros"))
            .arg(rejected)
            .arg(rejected == 1 ? QStringLiteral("línea rechazada") : QStringLiteral("líneas rechazadas"))
            .arg(warned)
            .arg(warned == 1 ? QStringLiteral("registro con aviso") : QStringLiteral("registros con aviso")),
        9);
    pages.gap(6);
    resultsTable(pages, a);
    if (const QString sign = signChangeText(a); !sign.isEmpty()) pages.text(sign + '.', 9.5);
    if (const QString out = leftOutText(a, settings); !out.isEmpty()) pages.text(out + '.', 9.5);
}

} // namespace

QString reportSampleText(const Analysis& a) {
    const Geometry& g = a.geometry;
    const QString dimensions = QStringLiteral("L = %1 cm, a = %2 cm, d = %3 cm")
                                   .arg(number(g.lengthCm), number(g.widthCm), number(g.thicknessCm));
    if (!a.sampleCode.empty())
        return QStringLiteral("muestra problema %1; %2")
            .arg(QString::fromStdString(a.sampleCode), dimensions);
    return QStringLiteral("muestra %1 (tipo %2); %3")
        .arg(a.sample)
        .arg(QString::fromStdString(sampleType(a.sample)), dimensions);
}

void reportFirstPage(ReportPages& pages, const std::vector<PlotSeries>& series, const FitSettings& settings,
                     const ReportInfo& info) {
    pages.text(QStringLiteral("Efecto Hall y resistividad: informe de análisis"), 17, true);
    pages.gap(10);
    pages.text(QStringLiteral("Alumno: ") + orDash(info.student), 11);
    pages.text(QStringLiteral("Grupo: ") + orDash(info.group), 11);
    const QLocale spain(QLocale::Spanish, QLocale::Spain);
    pages.text(QStringLiteral("Fecha: ") +
                   spain.toString(info.made.date(), QStringLiteral("d 'de' MMMM 'de' yyyy")) +
                   QStringLiteral(", ") + spain.toString(info.made.time(), QStringLiteral("HH:mm")),
               11);
    for (const QString& note : staleNotes(series)) {
        pages.gap(6);
        pages.text(note, 10, true, Qt::darkRed);
    }
    pages.gap(8);
    pages.text(
        QStringLiteral("Ajustes por mínimos cuadrados %1. Intervalos: banda prohibida %2; movilidad %3; "
                       "R_H con el campo a %4 ± 1 K.")
            .arg(settings.weighted ? QStringLiteral("ponderados con las incertidumbres de los instrumentos")
                                   : QStringLiteral("ordinarios"),
                 rangeText(settings.gap), rangeText(settings.mobility), number(settings.fieldTemperatureK)),
        9.5);
    for (std::size_t i = 0; i < series.size(); ++i) {
        pages.gap(14);
        seriesBlock(pages, series[i], settings, seriesColor(i));
    }
}

} // namespace eh::analysis
