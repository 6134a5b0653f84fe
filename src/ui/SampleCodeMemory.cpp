#include "ui/SampleCodeMemory.h"

#include <QSettings>

namespace eh {
namespace {

QSettings store() {
    return QSettings(QStringLiteral("Tarvelo"), QStringLiteral("tarvelo"));
}

const QString kKey = QStringLiteral("muestraProblema/codigo");

} // namespace

QString rememberedSampleCode() {
    return store().value(kKey).toString();
}

void rememberSampleCode(const QString& code) {
    QSettings settings = store();
    settings.setValue(kKey, code);
}

} // namespace eh
