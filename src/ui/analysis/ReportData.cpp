#include <map>

#include "ui/analysis/FitText.h"
#include "ui/analysis/ReportSections.h"

namespace eh::analysis {

namespace {

// A report is for reading: a very long series is cut short (the CSV has it all), and
// so is a long list of rejected lines.
constexpr std::size_t kMaxRows = 2000;
constexpr std::size_t kMaxListedProblems = 60;

const std::vector<double> kShares = {0.07, 0.09, 0.09, 0.08, 0.12, 0.14, 0.06, 0.14, 0.13, 0.08};

QStringList headers() {
    return {QStringLiteral("Reg."),   QStringLiteral("T (K)"),        QStringLiteral("B (G)"),
            QStringLiteral("I (mA)"), QStringLiteral("ρ (Ω·cm)"),     QStringLiteral("R_H (cm³/C)"),
            QStringLiteral("Tipo"),   QStringLiteral("n, p (1/cm³)"), QStringLiteral("μ_H (cm²/(V·s))"),
            QStringLiteral("Aviso")};
}

// Rejected lines one by one; the records' notes and warnings grouped by their text,
// with the lines they apply to.
void problems(ReportPages& pages, const Analysis& a) {
    QStringList lines;
    for (const Rejection& r : a.data.rejected)
        lines << QStringLiteral("línea %1 rechazada: %2").arg(r.line).arg(QString::fromStdString(r.reason));
    std::map<QString, QStringList> grouped;
    std::vector<QString> order;
    const auto add = [&](const QString& text, int line) {
        if (!grouped.count(text)) order.push_back(text);
        grouped[text] << QString::number(line);
    };
    for (std::size_t k = 0; k < a.derived.size(); ++k) {
        const Derived& d = a.derived[k];
        if (!d.note.empty())
            add(QString::fromUtf8(d.note.data(), qsizetype(d.note.size())), a.data.records[k].line);
        if (d.warnings) add(QString::fromStdString(warningText(d.warnings)), a.data.records[k].line);
    }
    for (const QString& text : order) {
        const QStringList& at = grouped[text];
        lines << QStringLiteral("%1 (%2 %3)")
                     .arg(text, at.size() == 1 ? QStringLiteral("línea") : QStringLiteral("líneas"),
                          at.join(QStringLiteral(", ")));
    }
    if (lines.isEmpty()) return;
    pages.gap(8);
    for (qsizetype i = 0; i < std::min(lines.size(), qsizetype(kMaxListedProblems)); ++i)
        pages.text(lines[i], 8, false, Qt::darkRed);
    if (lines.size() > qsizetype(kMaxListedProblems))
        pages.text(QStringLiteral("… y %1 más.").arg(lines.size() - qsizetype(kMaxListedProblems)), 8, false,
                   Qt::darkRed);
}

} // namespace

void reportData(ReportPages& pages, const std::vector<PlotSeries>& series) {
    for (std::size_t i = 0; i < series.size(); ++i) {
        const Analysis& a = *series[i].analysis;
        pages.need(200);
        pages.text(QStringLiteral("Datos: ") + series[i].label, 12, true, seriesColor(i));
        pages.gap(4);
        pages.row(headers(), kShares, 7.5, true);
        pages.rule();
        const std::size_t rows = std::min(a.data.records.size(), kMaxRows);
        for (std::size_t k = 0; k < rows; ++k) {
            const Record& r = a.data.records[k];
            const Derived& d = a.derived[k];
            if (pages.spaceLeft() < 40) {
                pages.newPage();
                pages.row(headers(), kShares, 7.5, true);
                pages.rule();
            }
            // Four figures for the temperature (its display's tenth of a kelvin) and for
            // what is derived (the readings' resolution leaves no more worth reading).
            pages.row({cellText(r.number), cellText(r.temperatureK, 4), cellText(r.fieldG),
                       cellText(r.currentMa), cellText(d.rhoOhmCm, 4), cellText(d.hallCm3C, 4),
                       QString::fromLatin1(carrierLetter(d.carrier)), cellText(d.densityCm3, 3),
                       cellText(d.mobilityCm2Vs, 4), d.warnings ? QStringLiteral("sí") : QString()},
                      kShares, 7.5, false);
        }
        if (rows < a.data.records.size())
            pages.text(QStringLiteral("… y %1 registros más; la tabla completa se exporta como CSV.")
                           .arg(a.data.records.size() - rows),
                       9);
        problems(pages, a);
        pages.gap(20);
    }
}

} // namespace eh::analysis
