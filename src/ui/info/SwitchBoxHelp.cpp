#include "ui/info/SwitchBoxHelp.h"

#include "ui/common/Twips.h"
#include "ui/info/HelpFormulas.h"
#include "ui/info/SampleDrawing.h"

namespace eh {
SwitchBoxHelp::SwitchBoxHelp(QWidget* parent)
    : HelpWindow(parent, QStringLiteral("INFORMACIÓN SOBRE EL CONMUTADOR"), sizeFromTwips(9150, 6675),
                 kWhite) {
    new SampleDrawing(switchBoxSampleDrawing(), this);

    addLabel(QStringLiteral("Label1"), rectFromTwips(600, 120, 7935, 735),
             QStringLiteral(
                 "El conmutador permite seleccionar entre la configuración de medida de resistividad y la "
                 "configuración de medida de efecto Hall"));
    addLabel(QStringLiteral("Label2"), rectFromTwips(1200, 720, 6495, 735),
             QStringLiteral(
                 "Posición Vr : Medida de resistividad : La corriente circula entre  A y C ; la tensión se "
                 "mide entre D y E."));
    addLabel(QStringLiteral("Label8"), rectFromTwips(1200, 1320, 6495, 735),
             QStringLiteral(
                 "Posición Vh : Medida de efecto  Hall: La corriente circula entre  A y C ; la tensión se "
                 "mide entre B y E."));

    const LabelStyle letter{.color = kDarkRed};
    addLabel(QStringLiteral("Label3"), rectFromTwips(2040, 2640, 255, 255), QStringLiteral("A"), letter);
    addLabel(QStringLiteral("Label7"), rectFromTwips(5280, 2160, 255, 255), QStringLiteral("B"), letter);
    addLabel(QStringLiteral("Label6"), rectFromTwips(6720, 2640, 255, 255), QStringLiteral("C"), letter);
    addLabel(QStringLiteral("Label5"), rectFromTwips(3480, 3720, 255, 255), QStringLiteral("D"), letter);
    addLabel(QStringLiteral("Label4"), rectFromTwips(5280, 3720, 255, 255), QStringLiteral("E"), letter);
    addLabel(QStringLiteral("Label9"), rectFromTwips(4320, 3600, 255, 255), QStringLiteral("L"),
             {.points = 9.75, .color = kDarkRed});
    addLabel(QStringLiteral("Label10"), rectFromTwips(4560, 2880, 255, 255), QStringLiteral("a"),
             {.points = 12, .color = kDarkRed, .background = QColor(224, 224, 224)});
    addLabel(QStringLiteral("Label11"), rectFromTwips(6960, 3360, 375, 255), QStringLiteral("d"),
             {.points = 12});

    addLabel(QStringLiteral("Label12"), rectFromTwips(1440, 4200, 6495, 615),
             QStringLiteral(
                 "Si llamamos Vr y Vh a las tensiones así medidas, la resistividad y el coeficiente de Hall "
                 "vienen dados por:"));
    addFormula(QStringLiteral("Equation1"), rectFromTwips(1800, 4920, 2025, 885),
               helpformulas::resistivity());
    addFormula(QStringLiteral("Equation2"), rectFromTwips(5160, 4920, 1440, 915),
               helpformulas::hallCoefficient());

    addCloseButton(rectFromTwips(3480, 6000, 1695, 375), QStringLiteral("Cerrar"));
}

} // namespace eh
