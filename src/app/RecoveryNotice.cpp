#include "app/RecoveryNotice.h"

#include <QMessageBox>

#include "datafile/Recovery.h"

namespace eh {
namespace {

// Lines kept whole: a path broken at its hyphens could not be read or copied.
void showKeepingLines(QWidget* parent, const QString& title, const QString& text, const QString& name) {
    QMessageBox box(QMessageBox::Information, title,
                    QStringLiteral("<div style=\"white-space:pre\">%1</div>").arg(text.toHtmlEscaped()),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::RichText);
    box.setObjectName(name);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace

void announceRescuedMeasurements(QWidget* parent, const QStringList& folders) {
    std::vector<std::string> paths;
    for (const QString& folder : folders) {
        const std::vector<std::string> found = pendingRecoveries(folder.toStdString());
        paths.insert(paths.end(), found.begin(), found.end());
    }
    if (paths.empty()) return;
    showKeepingLines(parent, QString::fromUtf8(kRecoveryTitle), QString::fromStdString(recoveryNotice(paths)),
                     QStringLiteral("RecoveryNotice"));
    for (const QString& folder : folders) forgetRecoveries(folder.toStdString(), paths);
}

void warnAboutDataFolder(QWidget* parent, const QString& text) {
    showKeepingLines(parent, QString::fromUtf8(kDataFolderTitle), text, QStringLiteral("DataFolderNotice"));
}

} // namespace eh
