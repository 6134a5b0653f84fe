#include "ui/QtBenchHost.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>

#include "ui/DialogFilters.h"

namespace eh {

void QtBenchHost::showMessage(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.setObjectName(QStringLiteral("BenchMessage"));
    box.exec();
}

// Only a folder that exists: the dialog would put the name of a missing one into its
// file-name field, where Enter saves to a file of that name.
QString QtBenchHost::startFolder() const {
    if (!lastFile_.isEmpty()) {
        const QString last = QFileInfo(lastFile_).absolutePath();
        if (QFileInfo(last).isDir()) return last;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    if (QFileInfo(QDir::homePath()).isDir()) return QDir::homePath();
    return QDir::rootPath();
}

QString QtBenchHost::startName() const {
    if (lastFile_.isEmpty() || QFileInfo(lastFile_).absolutePath() != startFolder()) return QString();
    return QFileInfo(lastFile_).fileName();
}

std::optional<std::string> QtBenchHost::askSaveFileName(const SaveDialogRequest& request) {
    QFileDialog dialog(owner_, QString::fromStdString(request.title), startFolder());
    dialog.setObjectName(QStringLiteral("BenchSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The name is used exactly as typed: no extension is added.
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    const QStringList filters = nameFiltersFromPairs(QString::fromStdString(request.filter));
    dialog.setNameFilters(filters);
    const qsizetype preselected = request.filterIndex - 1;
    if (preselected >= 0 && preselected < filters.size()) dialog.selectNameFilter(filters[preselected]);
    // The last file's name while it names the suggested one's sample (a second file of
    // the same unknown sample, say); otherwise the suggestion.
    QString name = startName();
    const QString suggested = QString::fromStdString(request.suggestedName);
    if (!suggested.isEmpty() && !name.contains(QFileInfo(suggested).completeBaseName(), Qt::CaseInsensitive))
        name = suggested;
    if (!name.isEmpty()) dialog.selectFile(name);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastFile_ = dialog.selectedFiles().constFirst();
    return lastFile_.toStdString();
}

void QtBenchHost::setBusyPointer(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace eh
