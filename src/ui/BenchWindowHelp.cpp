// The information icons and the script links of the bench window.
#include "ui/BenchWindow.h"
#include "ui/info/HelpWindows.h"
#include "ui/theory/TheoryWindow.h"
#include "ui/widgets/InfoIcon.h"
#include "ui/widgets/LinkLabel.h"

namespace eh {

void BenchWindow::connectHelp() {
    const auto icon = [this](const char* name) { return static_cast<InfoIcon*>(named(name)); };
    connect(icon("Image1"), &InfoIcon::clicked, this, [this] { showSwitchBoxHelp(this); });
    connect(icon("Image2"), &InfoIcon::clicked, this, [this] { showCryostatHelp(this); });
    connect(icon("Image3"), &InfoIcon::clicked, this, [this] { showMagnetHelp(this); });
    connect(icon("Image4"), &InfoIcon::clicked, this, [this] { openSampleInfo(); });
    connect(icon("Image5"), &InfoIcon::clicked, this, [this] { showInterfaceHelp(this); });

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

void BenchWindow::openSampleInfo() {
    SampleCodeEntry entry{QString::fromStdString(model_.Codigo_Muestra), [this](const QString& code) {
                              useSampleCode(code);
                              return selectedSample();
                          }};
    showSamplesHelp(this, selectedSample(), std::move(entry));
}

SampleDimensions BenchWindow::selectedSample() const {
    const SampleRow& row = model_.Catalogo.row(model_.Muestra_Sel);
    SampleDimensions shown{model_.Muestra_Sel, row.Longitud, row.Anchura, row.Grosor, {}};
    if (model_.Muestra_Sel == SampleCatalogue::kUnknownRow) shown.code = model_.Codigo_Muestra;
    return shown;
}

void BenchWindow::openChapter(const QString& fileName) {
    showTeoria(this, fileName);
}

} // namespace eh
