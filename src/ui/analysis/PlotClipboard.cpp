#include "ui/analysis/PlotClipboard.h"

#include <QAbstractAxis>
#include <QLocale>
#include <QRegularExpression>

#include "ui/analysis/ChartParts.h"

namespace eh::analysis {

namespace {

// Legend names may carry HTML entities ("R_H &lt; 0"): the cell gets the text.
QString plainName(QString name) {
    return name.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .replace(QLatin1Char('\t'), QLatin1Char(' '));
}

// Axis titles may be rich text ("ln(|R<sub>H</sub>|T<sup>3/2</sup>)"): in a cell,
// subscripts and superscripts in the plain notation the other titles use.
QString plainTitle(QString title) {
    title.replace(QStringLiteral("<sub>"), QStringLiteral("_"))
        .replace(QStringLiteral("<sup>"), QStringLiteral("^"));
    title.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return plainName(title);
}

} // namespace

QString visibleDataText(const std::vector<PlotPanel>& panels) {
    QLocale spanish(QLocale::Spanish, QLocale::Spain);
    spanish.setNumberOptions(QLocale::OmitGroupSeparator);
    auto number = [&](double v) { return spanish.toString(v, 'g', 7); };
    QStringList rows;
    for (const PlotPanel& panel : panels) {
        if (!rows.isEmpty()) rows << QString();
        const ViewRange view = viewOf(panel.chart);
        rows << QStringLiteral("serie\t%1\t%2")
                    .arg(plainTitle(horizontalAxis(panel.chart)->titleText()),
                         plainTitle(verticalAxis(panel.chart)->titleText()));
        for (const MarkedPoints& m : panel.points) {
            if (!m.series->isVisible()) continue;
            const QString name = plainName(m.series->name());
            for (const QPointF& p : m.series->points())
                if (p.x() >= view.xMin && p.x() <= view.xMax && p.y() >= view.yMin && p.y() <= view.yMax)
                    rows << name + QLatin1Char('\t') + number(p.x()) + QLatin1Char('\t') + number(p.y());
        }
    }
    return rows.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace eh::analysis
