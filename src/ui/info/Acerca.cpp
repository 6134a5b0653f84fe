#include "ui/info/Acerca.h"

#include <QApplication>

#include "ui/common/Twips.h"

#ifndef TARVELO_VERSION
#error "TARVELO_VERSION is set by the build"
#endif

namespace eh {

Acerca::Acerca(QWidget* parent)
    : HelpWindow(parent, QStringLiteral("Acerca de Tarvelo"), sizeFromTwips(4875, 3870),
                 QApplication::palette().color(QPalette::Button)) {
    const LabelStyle plain{
        .family = "MS Sans Serif", .points = 8.25, .color = Qt::black, .background = QColor()};
    addLabel(QStringLiteral("Label1"), rectFromTwips(240, 120, 4335, 495),
             QStringLiteral("Programa didáctico de simulación de medidas de resistividad y efecto Hall  en "
                            "semiconductores."),
             plain);
    addLabel(QStringLiteral("Label3"), rectFromTwips(480, 960, 3615, 255), QStringLiteral("Diseñado por:"),
             plain);
    // The lines under it describe the project itself; it names no person and no address.
    addLabel(QStringLiteral("Label2"), rectFromTwips(720, 1200, 3615, 255),
             QStringLiteral("el proyecto Tarvelo"), plain);
    addLabel(QStringLiteral("Label4"), rectFromTwips(720, 1440, 3615, 255),
             QStringLiteral("Simulador didáctico del laboratorio de"), plain);
    addLabel(QStringLiteral("Label7"), rectFromTwips(720, 1680, 3615, 255),
             QStringLiteral("resistividad y efecto Hall"), plain);
    addLabel(QStringLiteral("Label6"), rectFromTwips(720, 1920, 3615, 255),
             QStringLiteral("Escrito en C++20 con Qt 6"), plain);
    addLabel(QStringLiteral("Label5"), rectFromTwips(720, 2160, 3615, 255),
             QStringLiteral("Versión ") + QStringLiteral(TARVELO_VERSION), plain);
    addLabel(QStringLiteral("Label9"), rectFromTwips(720, 2400, 3615, 255), QStringLiteral("Licencia MIT"),
             plain);
    addLabel(QStringLiteral("Label8"), rectFromTwips(720, 2640, 3615, 255),
             QStringLiteral("Véase el fichero LICENSE"), plain);
    addLabel(QStringLiteral("Label10"), rectFromTwips(3240, 3000, 1695, 255),
             QStringLiteral("Diciembre de 2026"), plain);
    addCloseButton(rectFromTwips(1800, 3360, 1335, 375), QStringLiteral("Aceptar"));
}

} // namespace eh
