#include "ui/theory/ChapterFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace eh {

QStringList chapterCandidates(const QString& fileName, const QString& programDir, const QString& workingDir) {
    const QDir program(programDir);
    return {program.filePath(fileName),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/tarvelo/") + fileName)),
            QDir(workingDir).filePath(fileName)};
}

QString locateChapter(const QString& fileName, const QString& programDir, const QString& workingDir) {
    for (const QString& candidate : chapterCandidates(fileName, programDir, workingDir))
        if (QFileInfo(candidate).isFile()) return candidate;
    return {};
}

QString locateChapter(const QString& fileName) {
    return locateChapter(fileName, QCoreApplication::applicationDirPath(), QDir::currentPath());
}

} // namespace eh
