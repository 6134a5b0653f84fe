#include "ui/theory/TheoryWindow.h"

#include <QMessageBox>

#include "ui/common/WindowPlacement.h"
#include "ui/theory/ChapterFiles.h"
#include "ui/theory/Teoria.h"

namespace eh {
namespace {

void reportChapterError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("MENSAJE DE ERROR"), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void showTeoria(QWidget* mainWindow, const QString& fileName) {
    const QString path = locateChapter(fileName);
    if (path.isEmpty()) {
        reportChapterError(mainWindow, QStringLiteral("No se encuentra el fichero %1").arg(fileName));
        return;
    }
    Teoria window(mainWindow);
    QString error;
    if (!window.loadChapter(path, &error)) {
        reportChapterError(mainWindow, QStringLiteral("No se puede leer el fichero %1").arg(fileName));
        return;
    }
    if (mainWindow) placeHelpWindow(&window, mainWindow);
    window.exec();
}

} // namespace eh
