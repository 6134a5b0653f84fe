#include "ui/analysis/ExportNames.h"

#include <QFileInfo>

namespace eh::analysis {

QString withExtension(const QString& typed, const QString& filterExtension, const QStringList& known) {
    const QString suffix = QFileInfo(typed).suffix();
    if (known.contains(suffix, Qt::CaseInsensitive)) return typed;
    return typed + QLatin1Char('.') + filterExtension;
}

CsvStyle csvStyleFor(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(",") ? CsvStyle::SemicolonComma : CsvStyle::CommaPoint;
}

QString csvStyleName(CsvStyle style) {
    return style == CsvStyle::SemicolonComma
               ? QStringLiteral("punto y coma y coma decimal (hojas de cálculo en español)")
               : QStringLiteral("coma y punto decimal (hojas de cálculo en inglés)");
}

} // namespace eh::analysis
