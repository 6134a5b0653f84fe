#include "ui/analysis/ReportAuthorDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace eh::analysis {

bool askReportAuthor(QWidget* parent, QString& student, QString& group) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("reportAuthor"));
    dialog.setWindowTitle(QStringLiteral("Datos del informe"));
    auto* studentField = new QLineEdit(student, &dialog);
    studentField->setObjectName(QStringLiteral("student"));
    studentField->setMinimumWidth(280);
    auto* groupField = new QLineEdit(group, &dialog);
    groupField->setObjectName(QStringLiteral("group"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Alumno:"), studentField);
    form->addRow(QStringLiteral("Grupo:"), groupField);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return false;
    student = studentField->text().trimmed();
    group = groupField->text().trimmed();
    return true;
}

} // namespace eh::analysis
