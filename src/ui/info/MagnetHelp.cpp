#include "ui/info/MagnetHelp.h"

#include "ui/common/Twips.h"
#include "ui/info/HelpFormulas.h"

namespace eh {

MagnetHelp::MagnetHelp(QWidget* parent)
    : HelpWindow(parent, QStringLiteral("INFORMACIÓN SOBRE EL ELECTROIMÁN"), sizeFromTwips(7305, 6135),
                 kWhite) {
    addLabel(QStringLiteral("Label1"), rectFromTwips(360, 240, 6615, 1215),
             QStringLiteral(
                 "El cursor de ajuste de intensidad fija la corriente máxima suministrada por la fuente de "
                 "alimentación del electroimán. Los interruptores \" - \" y \"+\"  conectan la fuente con "
                 "las bobinas del electroimán, en uno u otro sentido."));
    addLabel(
        QStringLiteral("Label2"), rectFromTwips(360, 1440, 6615, 975),
        QStringLiteral("Al conectar o desconectar  las bobinas a la fuente, la corriente a través través del "
                       "electroimán aumenta o disminuye según una ley exponencial:"));
    addFormula(QStringLiteral("Equation1"), rectFromTwips(600, 2400, 2370, 750), helpformulas::currentFall());
    addFormula(QStringLiteral("Equation2"), rectFromTwips(3600, 2400, 2940, 750),
               helpformulas::currentRise());
    addLabel(QStringLiteral("Label3"), rectFromTwips(360, 3240, 6615, 735),
             QStringLiteral(
                 "El campo magnético en el entrehierro depende de la corriente a través de la ecuación:"));
    addFormula(QStringLiteral("Equation3"), rectFromTwips(1680, 4080, 4125, 540),
               helpformulas::fieldOfCurrent());
    addLabel(QStringLiteral("Label4"), rectFromTwips(480, 4800, 6615, 495),
             QStringLiteral("Expresión que da B en teslas si se pone I en amperios."));
    addCloseButton(rectFromTwips(2640, 5520, 1695, 375), QStringLiteral("Cerrar"));
}

} // namespace eh
