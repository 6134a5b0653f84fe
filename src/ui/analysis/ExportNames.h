#pragma once
// The choices the export dialogs make for the user: which file format a typed name
// asks for, and which comma-separated convention suits the user's language.

#include <QLocale>
#include <QString>
#include <QStringList>

#include "analysis/CsvStyle.h"

namespace eh::analysis {

// The name to write: as typed when its extension is one of `known` (any case), the
// filter's extension added otherwise. "gap.svg" with the PNG filter stays "gap.svg".
QString withExtension(const QString& typed, const QString& filterExtension, const QStringList& known);

// Semicolons and decimal comma where the language writes decimals with a comma (a
// spreadsheet there reads a point as a thousands separator), the bench's own otherwise.
CsvStyle csvStyleFor(const QLocale& locale);

// How a convention is named in the dialogs.
QString csvStyleName(CsvStyle style);

} // namespace eh::analysis
