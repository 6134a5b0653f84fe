#include "app/RecoveryNotice.h"

#include <QMessageBox>

#include "datafile/Recovery.h"

namespace eh {

void announceRescuedMeasurements(QWidget* parent, const QString& folder) {
    const std::vector<std::string> paths = takePendingRecoveries(folder.toStdString());
    if (paths.empty()) return;
    // Lines kept whole: a path broken at its hyphens could not be read or copied.
    const QString text = QStringLiteral("<div style=\"white-space:pre\">%1</div>")
                             .arg(QString::fromStdString(recoveryNotice(paths)).toHtmlEscaped());
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(kRecoveryTitle), text, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::RichText);
    box.setObjectName(QStringLiteral("RecoveryNotice"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace eh
