// The information icons and the script links of the bench window.
#include "ui/MainWindow.h"
#include "ui/info/HelpWindows.h"
#include "ui/theory/TheoryWindow.h"
#include "ui/widgets/InfoIcon.h"
#include "ui/widgets/LinkLabel.h"

namespace eh {

void EH::connectHelp() {
    const auto icon = [this](const char* name) { return static_cast<InfoIcon*>(named(name)); };
    connect(icon("Image1"), &InfoIcon::clicked, this, [this] { showInfo1(this); });
    connect(icon("Image2"), &InfoIcon::clicked, this, [this] { showInfo4(this); });
    connect(icon("Image3"), &InfoIcon::clicked, this, [this] { showInfo2(this); });
    connect(icon("Image4"), &InfoIcon::clicked, this, [this] { openSampleInfo(); });
    connect(icon("Image5"), &InfoIcon::clicked, this, [this] { showInfo5(this); });

    const auto link = [this](const char* name) { return static_cast<LinkLabel*>(named(name)); };
    connect(link("Label6"), &LinkLabel::clicked, this, [this] { showAcerca(this); });
    const std::pair<const char*, const char*> chapters[] = {
        {"Label1", "Intro.rtf"},   {"Label2", "EH.rtf"},        {"Label3", "EH-2p.rtf"},
        {"Label4", "Medidas.rtf"}, {"Label5", "Discusion.rtf"},
    };
    for (const auto& [name, file] : chapters)
        connect(link(name), &LinkLabel::clicked, this,
                [this, file = QString::fromLatin1(file)] { openChapter(file); });
}

void EH::openSampleInfo() {
    const SampleRow& row = model_.Catalogo.row(model_.Muestra_Sel);
    showInfo3(this, SampleDimensions{model_.Muestra_Sel, row.Longitud, row.Anchura, row.Grosor});
}

void EH::openChapter(const QString& fileName) {
    showTeoria(this, fileName);
}

} // namespace eh
