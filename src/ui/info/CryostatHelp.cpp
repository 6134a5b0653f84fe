#include "ui/info/CryostatHelp.h"

#include "ui/common/Twips.h"
#include "ui/info/SvgPicture.h"

// Resources of a static library are registered by hand, outside any namespace.
static void registerInfoResources() {
    Q_INIT_RESOURCE(info);
}

namespace eh {

CryostatHelp::CryostatHelp(QWidget* parent)
    : HelpWindow(parent, QStringLiteral("INFORMACIÓN SOBRE EL CRIOSTATO"), sizeFromTwips(8070, 7440),
                 kWhite) {
    const char* family = "MS Sans Serif";
    addLabel(QStringLiteral("Label1"), rectFromTwips(480, 120, 7215, 2055),
             QStringLiteral(
                 "La muestra se encuentra en el extremo del \"dedo frío\" de un criostato. Dicho dedo frío "
                 "está aislado térmicamente por el vacío existente entre el cuerpo central del criostato y "
                 "la camisa exterior. El criostato está conectado mediante unos tubos a un  criogenerador, "
                 "cuyo compresor envía por uno de los tubos helio a presión que, al expandirse en el "
                 "\"dedo frío\", hace bajar la temperatura, volviendo al compresor por el otro tubo. Un "
                 "sensor de temperatura y una resistencia de calentamiento, conectados al controlador de "
                 "temperatura, permiten fijar la temperatura de la muestra."),
             {.family = family, .points = 9.75});
    addLabel(QStringLiteral("Label2"), rectFromTwips(2280, 2400, 4335, 375),
             QStringLiteral("Configuración del portamuestras"),
             {.family = family, .points = 12, .color = kBlue});

    registerInfoResources();
    auto* picture = new SvgPicture(QStringLiteral(":/info/portamuestras.svg"), this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(rectFromTwips(1200, 3000, 5955, 3525));

    // A white strip along the right edge of the picture.
    auto* shape = new QWidget(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(rectFromTwips(7080, 3120, 135, 3135));
    QPalette pal = shape->palette();
    pal.setColor(QPalette::Window, kWhite);
    shape->setPalette(pal);
    shape->setAutoFillBackground(true);

    addCloseButton(rectFromTwips(3120, 6840, 1575, 375), QStringLiteral("Cerrar"));
}

} // namespace eh
