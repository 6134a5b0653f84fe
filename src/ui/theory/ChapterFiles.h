#pragma once
// Where the course chapters are found: beside the program, in its installed data
// folder, or in the working directory, in that order.

#include <QString>
#include <QStringList>

namespace eh {

// The places searched for `fileName`, most preferred first.
QStringList chapterCandidates(const QString& fileName, const QString& programDir, const QString& workingDir);

// The first existing candidate, or an empty string.
QString locateChapter(const QString& fileName, const QString& programDir, const QString& workingDir);

// As above, for the running program and the present working directory.
QString locateChapter(const QString& fileName);

} // namespace eh
