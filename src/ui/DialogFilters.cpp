#include "ui/DialogFilters.h"

namespace eh {

QStringList nameFiltersFromPairs(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty()) continue;
        // Qt takes the patterns from the last parenthesised group of an entry.
        const QString tail = QLatin1Char('(') + pattern + QLatin1Char(')');
        filters << (description.endsWith(tail) ? description : description + QLatin1Char(' ') + tail);
    }
    return filters;
}

} // namespace eh
