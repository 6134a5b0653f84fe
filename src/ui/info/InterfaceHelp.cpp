#include "ui/info/InterfaceHelp.h"

#include <QApplication>

#include "ui/common/Twips.h"

namespace eh {

InterfaceHelp::InterfaceHelp(QWidget* parent)
    : HelpWindow(parent, QStringLiteral("INFORMACIÓN SOBRE LA INTERFAZ "), sizeFromTwips(8160, 4485),
                 QApplication::palette().color(QPalette::HighlightedText)) {
    addLabel(QStringLiteral("Label1"), rectFromTwips(240, 240, 7575, 615),
             QStringLiteral(
                 "El  botón \"Acumular\" guarda en un registro de memoria los resultados de una serie de "
                 "medidas, en el orden siguiente:"));
    addLabel(
        QStringLiteral("Label2"), rectFromTwips(240, 960, 7935, 495),
        QStringLiteral("Número  -  Temperatura  -   Campo  -   Intensidad  -   VR  -   VH(-B)  -  VH(+B)"),
        {.color = kBlue});
    addLabel(QStringLiteral("Label3"), rectFromTwips(240, 1440, 6375, 495),
             QStringLiteral("En número de medidas acumuladas aparece en el contador"));
    addLabel(QStringLiteral("Label4"), rectFromTwips(240, 2040, 7575, 855),
             QStringLiteral(
                 "El  botón \"Salvar\" permite guardar en un fichero las medidas realizadas hasta ese "
                 "momento. En el fichero de datos, cada línea corresponde a un registro de medida, con los "
                 "siete datos indicados arriba. "));
    addLabel(QStringLiteral("Label5"), rectFromTwips(240, 3120, 7575, 735),
             QStringLiteral(
                 "El  botón \"Inicializar\" pone a cero el contador, para iniciar otra serie de medidas. "));
    addCloseButton(rectFromTwips(3360, 3840, 1335, 375), QStringLiteral("Cerrar"));
}

} // namespace eh
