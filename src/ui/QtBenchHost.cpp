#include "ui/QtBenchHost.h"

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

QString QtBenchHost::startFolder() const {
    if (!lastFile_.isEmpty()) return QFileInfo(lastFile_).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString QtBenchHost::startName() const {
    return lastFile_.isEmpty() ? QString() : QFileInfo(lastFile_).fileName();
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
    if (!startName().isEmpty()) dialog.selectFile(startName());

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
