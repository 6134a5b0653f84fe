#include "ui/BenchLayout.h"

#include <array>

namespace eh {
namespace {

using K = WidgetKind;
constexpr auto kLeft = Qt::AlignLeft;
constexpr auto kCentre = Qt::AlignHCenter;
constexpr auto kRight = Qt::AlignRight;

constexpr FontChoice kReadoutFont{"Arial", 18, true, false};
constexpr FontChoice kStepFont{"MS Sans Serif", 9.75, false, false};
constexpr FontChoice kLinkFont{"Arial", 9.75, false, false};
constexpr LayoutColor kLinkBlue{0, 0, 192};
constexpr LayoutColor kPeach{255, 224, 192};

constexpr const char* kInfoPicture = "info";

// One widget a row, as in the layout tables.
// clang-format off
constexpr std::array kLayout = std::to_array<LayoutItem>({
    // Instrument panels
    {"SSPanel5", "EH", K::Panel, 120, 240, 1575, 855, "Criogenerador", kCentre},
    {"SSPanel6", "EH", K::Panel, 120, 1320, 1575, 855, "Bomba de vacío", kCentre},
    {"SSPanel2", "EH", K::Panel, 8160, 120, 3735, 1695, " Controlador T", kLeft},
    {"SSPanel8", "EH", K::Panel, 6720, 3120, 2295, 1575, " Interfaz ", kRight},
    {"SSPanel3", "EH", K::Panel, 8160, 5040, 3735, 1695, " Fuente de Corriente", kLeft},
    {"SSPanel7", "EH", K::Panel, 5880, 5160, 1695, 1455, "Conmutador", kCentre},
    {"SSPanel1", "EH", K::Panel, 360, 6360, 5295, 2295, " Fuente Electroimán", kLeft},
    {"SSPanel4", "EH", K::Panel, 8160, 7080, 3735, 1095, " Voltímetro", kLeft},

    // Cryogenerator
    {"Led_Crio", "SSPanel5", K::Led, 720, 240, 135, 135},
    {"Bot_Crio_On", "SSPanel5", K::Button, 480, 480, 615, 255, "On/Off"},

    // Temperature controller
    {"Led_Control", "SSPanel2", K::Led, 360, 360, 135, 135},
    {"Bot_Control_On", "SSPanel2", K::Button, 120, 600, 615, 255, "On/Off"},
    {"Frame5", "SSPanel2", K::Frame, 1080, 120, 1215, 855, "T Medida (K)"},
    {"Display_T_Medida", "Frame5", K::Readout, 120, 240, 975, 495, "000.0", kRight, kReadoutFont},
    {"Frame4", "SSPanel2", K::Frame, 2400, 120, 1215, 855, "T Consigna (K)"},
    {"Display_T_Consigna", "Frame4", K::Readout, 120, 240, 975, 495, "000.0", kRight, kReadoutFont},
    {"SubeT4", "SSPanel2", K::Button, 2520, 1080, 255, 255, "+", kCentre, kStepFont},
    {"SubeT3", "SSPanel2", K::Button, 2760, 1080, 255, 255, "+", kCentre, kStepFont},
    {"SubeT2", "SSPanel2", K::Button, 3000, 1080, 255, 255, "+", kCentre, kStepFont},
    {"SubeT1", "SSPanel2", K::Button, 3240, 1080, 255, 255, "+", kCentre, kStepFont},
    {"BajaT4", "SSPanel2", K::Button, 2520, 1320, 255, 255, "-", kCentre, kStepFont},
    {"BajaT3", "SSPanel2", K::Button, 2760, 1320, 255, 255, "-", kCentre, kStepFont},
    {"BajaT2", "SSPanel2", K::Button, 3000, 1320, 255, 255, "-", kCentre, kStepFont},
    {"BajaT1", "SSPanel2", K::Button, 3240, 1320, 255, 255, "-", kCentre, kStepFont},
    {"Frame11", "SSPanel2", K::Frame, 240, 1080, 855, 495, " Salida"},
    {"Shape15", "Frame11", K::Terminal, 240, 240, 135, 135},
    {"Shape14", "Frame11", K::Terminal, 480, 240, 135, 135},
    {"Frame10", "SSPanel2", K::Frame, 1320, 1080, 855, 495, "Entrada"},
    {"Shape13", "Frame10", K::Terminal, 240, 240, 135, 135},
    {"Shape12", "Frame10", K::Terminal, 480, 240, 135, 135},

    // Measurement interface and register
    {"Frame15", "SSPanel8", K::Frame, 120, 120, 855, 735, "Medidas"},
    {"Medidas", "Frame15", K::Readout, 120, 240, 615, 375, "000", kCentre, {"Arial", 15.75, true, false}},
    {"Acumular", "SSPanel8", K::Button, 1200, 480, 975, 255, "Acumular"},
    {"Reset", "SSPanel8", K::Button, 1200, 840, 975, 255, "Inicializar"},
    {"Salvar", "SSPanel8", K::Button, 1200, 1200, 975, 255, "Salvar"},
    {"Led_Inter", "SSPanel8", K::Led, 480, 960, 135, 135},
    {"Bot_Inter", "SSPanel8", K::Button, 240, 1200, 615, 255, "On/Off"},

    // Current source
    {"Led_Fuente", "SSPanel3", K::Led, 360, 360, 135, 135},
    {"Bot_Fuente_On", "SSPanel3", K::Button, 120, 600, 615, 255, "On/Off"},
    {"Frame6", "SSPanel3", K::Frame, 2160, 120, 1455, 855, "I (mA)", kLeft, {}, {192, 64, 0}},
    {"Display_Fuente", "Frame6", K::Readout, 120, 240, 1215, 495, "00.000", kRight, kReadoutFont},
    {"Sube5", "SSPanel3", K::Button, 2280, 1080, 255, 255, "+", kCentre, kStepFont},
    {"Sube4", "SSPanel3", K::Button, 2520, 1080, 255, 255, "+", kCentre, kStepFont},
    {"Sube3", "SSPanel3", K::Button, 2760, 1080, 255, 255, "+", kCentre, kStepFont},
    {"Sube2", "SSPanel3", K::Button, 3000, 1080, 255, 255, "+", kCentre, kStepFont},
    {"Sube1", "SSPanel3", K::Button, 3240, 1080, 255, 255, "+", kCentre, kStepFont},
    {"Baja5", "SSPanel3", K::Button, 2280, 1320, 255, 255, "-", kCentre, kStepFont},
    {"Baja4", "SSPanel3", K::Button, 2520, 1320, 255, 255, "-", kCentre, kStepFont},
    {"Baja3", "SSPanel3", K::Button, 2760, 1320, 255, 255, "-", kCentre, kStepFont},
    {"Baja2", "SSPanel3", K::Button, 3000, 1320, 255, 255, "-", kCentre, kStepFont},
    {"Baja1", "SSPanel3", K::Button, 3240, 1320, 255, 255, "-", kCentre, kStepFont},
    {"Frame8", "SSPanel3", K::Frame, 120, 1080, 855, 495, " Salida"},
    {"Shape8", "Frame8", K::Terminal, 240, 240, 135, 135},
    {"Shape9", "Frame8", K::Terminal, 480, 240, 135, 135},

    // Switch box
    {"Conmuta_Ro", "SSPanel7", K::LatchButton, 240, 360, 495, 375, "conmuta_ro", kCentre, {}, {}, {}, 25, 22},
    {"Conmuta_EH", "SSPanel7", K::LatchButton, 960, 360, 495, 375, "conmuta_eh", kCentre, {}, {}, {}, 25, 22},
    {"Frame13", "SSPanel7", K::Frame, 120, 840, 615, 495, "V"},
    {"Shape24", "Frame13", K::Terminal, 120, 240, 135, 135},
    {"Shape25", "Frame13", K::Terminal, 360, 240, 135, 135},
    {"Frame12", "SSPanel7", K::Frame, 960, 840, 615, 495, "I"},
    {"Shape23", "Frame12", K::Terminal, 120, 240, 135, 135},
    {"Shape21", "Frame12", K::Terminal, 360, 240, 135, 135},

    // Electromagnet supply
    {"Bot_Izquierda", "SSPanel1", K::LatchButton, 2880, 120, 615, 255, "minus", kCentre, {}, {}, {}, 13, 13},
    {"Bot_Derecha", "SSPanel1", K::LatchButton, 4080, 120, 615, 255, "plus", kCentre, {}, {}, {}, 13, 13},
    {"Frame3", "SSPanel1", K::Frame, 2640, 480, 1095, 855, "I (A)"},
    {"Mide_I_Iman", "Frame3", K::Readout, 120, 240, 855, 495, "0.00", kRight, kReadoutFont},
    {"Frame1", "SSPanel1", K::Frame, 3840, 480, 1095, 855, "I max (A)"},
    {"Fija_I_Iman", "Frame1", K::Readout, 120, 240, 855, 495, "0.00", kRight, kReadoutFont},
    {"Frame2", "SSPanel1", K::Frame, 2520, 1440, 2535, 735, "Ajuste Intensidad"},
    {"Control_I_Iman", "Frame2", K::Slider, 120, 240, 2295, 375},
    {"Led_Iman", "SSPanel1", K::Led, 480, 1560, 135, 135},
    {"Bot_Iman_On", "SSPanel1", K::Button, 240, 1800, 615, 255, "On/Off"},

    // Voltmeter
    {"Frame9", "SSPanel4", K::Frame, 120, 480, 855, 495, "Entrada"},
    {"Shape11", "Frame9", K::Terminal, 240, 240, 135, 135},
    {"Shape10", "Frame9", K::Terminal, 480, 240, 135, 135},
    {"Frame7", "SSPanel4", K::Frame, 1680, 120, 1935, 855, "V (Volt)"},
    {"Display_Volt", "Frame7", K::Readout, 120, 240, 1695, 495, "00.00000", kRight, kReadoutFont},
    {"Bot_Volt_On", "SSPanel4", K::Button, 960, 120, 615, 255, "On/Off"},
    {"Led_Volt", "SSPanel4", K::Led, 360, 240, 135, 135},

    // Samples, script and information icons
    {"Combo_Muestra", "EH", K::List, 7560, 2520, 1455, 375, "Muestras", kLeft, {"Arial", 11.25, false, false}, {}, {224, 224, 224}},
    {"Frame14", "EH", K::Frame, 9240, 2280, 2655, 2655, "Guión", kLeft, {"Comic Sans MS", 12, false, true}, {0, 0, 192}, kPeach},
    {"Label6", "Frame14", K::Link, 1560, 240, 975, 255, "Acerca de...", kCentre, {"Comic Sans MS", 9, false, true}, {0, 128, 0}, kPeach},
    {"Label1", "Frame14", K::Link, 120, 600, 1455, 255, "1) Introducción", kLeft, kLinkFont, kLinkBlue, kPeach},
    {"Label2", "Frame14", K::Link, 360, 960, 1455, 255, "- Efecto Hall", kLeft, kLinkFont, kLinkBlue, kPeach},
    {"Label3", "Frame14", K::Link, 360, 1320, 2175, 495, "- Muestras con dos tipos de portadores", kLeft, kLinkFont, kLinkBlue, kPeach},
    {"Label4", "Frame14", K::Link, 120, 1920, 2415, 255, "2) Medidas a realizar", kLeft, kLinkFont, kLinkBlue, kPeach},
    {"Label5", "Frame14", K::Link, 120, 2280, 2415, 255, "3) Interpretación", kLeft, kLinkFont, kLinkBlue, kPeach},
    {"Image4", "EH", K::Icon, 6960, 2280, 480, 480, kInfoPicture},
    {"Image2", "EH", K::Icon, 2040, 2400, 480, 480, kInfoPicture},
    {"Image5", "EH", K::Icon, 6240, 3000, 480, 480, kInfoPicture},
    {"Image1", "EH", K::Icon, 5400, 4920, 480, 480, kInfoPicture},
    {"Image3", "EH", K::Icon, 120, 5760, 480, 480, kInfoPicture},
});
// clang-format on

} // namespace

std::span<const LayoutItem> benchLayout() {
    return kLayout;
}

} // namespace eh
