#include "app/RecoveryNotice.h"

#include <QMessageBox>

#include "register/Recovery.h"

namespace eh {

void announceRescuedMeasurements(QWidget* parent, const QString& folder) {
    const std::vector<std::string> paths = takePendingRecoveries(folder.toStdString());
    if (paths.empty()) return;
    QMessageBox box(QMessageBox::Information, QString::fromUtf8(kRecoveryTitle),
                    QString::fromStdString(recoveryNotice(paths)), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("RecoveryNotice"));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

} // namespace eh
