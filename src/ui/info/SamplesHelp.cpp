#include "ui/info/SamplesHelp.h"

#include <QLabel>
#include <QPushButton>

#include "model/NumberFormat.h"
#include "ui/common/SampleCodeDialog.h"
#include "ui/common/Twips.h"
#include "ui/common/WindowFonts.h"
#include "ui/info/SampleDrawing.h"

namespace eh {
namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

SamplesHelp::SamplesHelp(const SampleDimensions& sample, QWidget* parent, SampleCodeEntry entry)
    : HelpWindow(parent, QStringLiteral("INFORMACIÓN SOBRE LAS MUESTRAS"), sizeFromTwips(8085, 5265), kWhite),
      entry_(std::move(entry)) {
    new SampleDrawing(samplesWindowDrawing(), this);

    addLabel(QStringLiteral("Label2"), rectFromTwips(120, 120, 7935, 495),
             QStringLiteral("La lista desplegable permite seleccionar la muestra. Por defecto, se cargan los "
                            "parámetros de la muestra 1."));
    addLabel(QStringLiteral("Label1"), rectFromTwips(1920, 840, 4335, 375), QString());
    addLabel(QStringLiteral("Label3"), rectFromTwips(2640, 1200, 3255, 375), QStringLiteral("Longitud:"));
    addLabel(QStringLiteral("Label4"), rectFromTwips(2640, 1560, 3255, 375), QStringLiteral("Anchura:"));
    addLabel(QStringLiteral("Label5"), rectFromTwips(2640, 1920, 3255, 375), QStringLiteral("Grosor:"));

    const LabelStyle dimension{.points = 9.75, .color = kDarkRed};
    addLabel(QStringLiteral("Label6"), rectFromTwips(3600, 3960, 855, 255), QStringLiteral("Longitud"),
             dimension);
    addLabel(QStringLiteral("Label7"), rectFromTwips(960, 3120, 735, 255), QStringLiteral("Anchura"),
             dimension);
    addLabel(QStringLiteral("Label8"), rectFromTwips(6600, 3480, 735, 255), QStringLiteral("Grosor"),
             dimension);

    addCloseButton(rectFromTwips(3000, 4680, 1695, 375), QStringLiteral("Cerrar"));
    auto* unknown = new QPushButton(QStringLiteral("Muestra problema…"), this);
    unknown->setObjectName(QStringLiteral("Command2"));
    unknown->setGeometry(rectFromTwips(5880, 4680, 1935, 375));
    unknown->setFont(defaultWindowFont());
    unknown->setAutoDefault(false);
    unknown->setToolTip(QStringLiteral("Medir una muestra problema: escriba el código que le han asignado"));
    unknown->setEnabled(static_cast<bool>(entry_.use));
    connect(unknown, &QPushButton::clicked, this, &SamplesHelp::askForCode);
    showSample(sample);
}

void SamplesHelp::askForCode() {
    const std::optional<QString> code = SampleCodeDialog::ask(this, entry_.current);
    if (!code) return;
    entry_.current = *code;
    showSample(entry_.use(*code));
}

void SamplesHelp::showSample(const SampleDimensions& sample) {
    auto* heading = findChild<QLabel*>(QStringLiteral("Label1"));
    if (sample.code.empty()) {
        heading->setGeometry(rectFromTwips(1920, 840, 4335, 375));
        heading->setText(QStringLiteral("Dimensiones de la muestra  ") +
                         text(numberToText(std::int64_t{sample.number})));
    } else {
        // Its code names it; its number in the catalogue means nothing to the student.
        heading->setGeometry(rectFromTwips(1920, 840, 5895, 375));
        heading->setText(QStringLiteral("Dimensiones de la muestra problema ") + text(sample.code));
    }
    const struct {
        const char* name;
        const char* caption;
        float value;
    } rows[] = {{"Label3", "Longitud =", sample.longitud},
                {"Label4", "Anchura =", sample.anchura},
                {"Label5", "Grosor =", sample.grosor}};
    for (const auto& row : rows) {
        QLabel* label = findChild<QLabel*>(QString::fromLatin1(row.name));
        label->setText(QString::fromLatin1(row.caption) + text(numberToText(row.value)) +
                       QStringLiteral(" cm"));
        label->setVisible(true);
    }
}

} // namespace eh
