#include "ui/RegisterQuestions.h"

#include <QMessageBox>
#include <QPushButton>

namespace eh {
namespace {

QString measurements(int count) {
    return count == 1 ? QStringLiteral("1 medida") : QStringLiteral("%1 medidas").arg(count);
}

} // namespace

UnsavedAnswer askBeforeClosing(QWidget* parent, int count, bool canSave) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("UnsavedQuestion"));
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Medidas sin guardar"));
    QString text = QStringLiteral("El registro tiene %1 sin guardar en un fichero. Si cierra el programa, "
                                  "se perderán.")
                       .arg(measurements(count));
    if (!canSave) text += QStringLiteral("\n\nPara guardarlas, encienda la interfaz y pulse \"Salvar\".");
    box.setText(text);
    QPushButton* save = nullptr;
    if (canSave) save = box.addButton(QStringLiteral("Guardar..."), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Cerrar sin guardar"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(save ? save : cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (save && box.clickedButton() == save) return UnsavedAnswer::Save;
    if (box.clickedButton() == discard) return UnsavedAnswer::Discard;
    return UnsavedAnswer::Cancel;
}

bool askBeforeEmptying(QWidget* parent, int count) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("EmptyRegisterQuestion"));
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Inicializar el registro"));
    box.setText(QStringLiteral("El registro tiene %1 sin guardar en un fichero. Si lo inicializa, se "
                               "perderán.")
                    .arg(measurements(count)));
    QPushButton* empty = box.addButton(QStringLiteral("Inicializar"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == empty;
}

QString registerFullMessage(int capacity) {
    return QStringLiteral("El registro está lleno: ya guarda %1 medidas. Guarde los datos con \"Salvar\" "
                          "y pulse \"Inicializar\" para empezar otra serie de medidas.")
        .arg(capacity);
}

} // namespace eh
