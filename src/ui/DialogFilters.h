#pragma once
// Converts the bench's "description|pattern|description|pattern" filter strings into
// the name filters of a Qt file dialog.

#include <QStringList>

namespace eh {

// Each pair becomes one entry whose visible text is the description; the pattern is
// appended in parentheses only when the description does not already end with it.
QStringList nameFiltersFromPairs(const QString& pairs);

} // namespace eh
