#include "ui/BenchControls.h"

#include <array>

namespace eh {
namespace {

// clang-format off
constexpr std::array kControls = std::to_array<ControlHint>({
    // Cryogenerator and temperature controller, the top row
    {"Bot_Crio_On", "Enciende o apaga el criogenerador"},
    {"Bot_Control_On", "Enciende o apaga el controlador de temperatura"},
    {"SubeT4", "Sube la temperatura de consigna 100 K"},
    {"SubeT3", "Sube la temperatura de consigna 10 K"},
    {"SubeT2", "Sube la temperatura de consigna 1 K"},
    {"SubeT1", "Sube la temperatura de consigna 0,1 K"},
    {"BajaT4", "Baja la temperatura de consigna 100 K"},
    {"BajaT3", "Baja la temperatura de consigna 10 K"},
    {"BajaT2", "Baja la temperatura de consigna 1 K"},
    {"BajaT1", "Baja la temperatura de consigna 0,1 K"},
    // Cryostat, samples and the script
    {"Image2", "Información sobre el criostato"},
    {"Image4", "Información sobre las muestras"},
    {"Combo_Muestra", "Elige la muestra"},
    {"Label6", "Acerca de este programa"},
    {"Label1", "Abre el capítulo de introducción"},
    {"Label2", "Abre el capítulo sobre el efecto Hall"},
    {"Label3", "Abre el capítulo sobre muestras con dos tipos de portadores"},
    {"Label4", "Abre el capítulo sobre las medidas a realizar"},
    {"Label5", "Abre el capítulo sobre la interpretación de las medidas"},
    // Measurement interface and register
    {"Image5", "Información sobre la interfaz de medida"},
    {"Bot_Inter", "Enciende o apaga la interfaz de medida"},
    {"Acumular", "Guarda una medida en el registro"},
    {"Reset", "Vacía el registro de medidas"},
    {"Salvar", "Guarda el registro en un fichero de datos"},
    // Switch box
    {"Image1", "Información sobre el conmutador"},
    {"Conmuta_Ro", "Conecta los contactos de medida de resistividad (Vr)"},
    {"Conmuta_EH", "Conecta los contactos de medida de efecto Hall (Vh)"},
    // Current source
    {"Bot_Fuente_On", "Enciende o apaga la fuente de corriente"},
    {"Sube5", "Sube la corriente 10 mA"},
    {"Sube4", "Sube la corriente 1 mA"},
    {"Sube3", "Sube la corriente 0,1 mA"},
    {"Sube2", "Sube la corriente 0,01 mA"},
    {"Sube1", "Sube la corriente 0,001 mA"},
    {"Baja5", "Baja la corriente 10 mA"},
    {"Baja4", "Baja la corriente 1 mA"},
    {"Baja3", "Baja la corriente 0,1 mA"},
    {"Baja2", "Baja la corriente 0,01 mA"},
    {"Baja1", "Baja la corriente 0,001 mA"},
    // Electromagnet supply
    {"Image3", "Información sobre el electroimán"},
    {"Bot_Iman_On", "Enciende o apaga la fuente del electroimán"},
    {"Bot_Izquierda", "Conecta el electroimán en sentido -"},
    {"Bot_Derecha", "Conecta el electroimán en sentido +"},
    {"Control_I_Iman", "Fija la corriente máxima del electroimán"},
    // Voltmeter
    {"Bot_Volt_On", "Enciende o apaga el voltímetro"},
});

constexpr std::array kReadouts = std::to_array<ControlHint>({
    {"Display_T_Medida", "Temperatura medida de la muestra, en K"},
    {"Display_T_Consigna", "Temperatura de consigna, en K"},
    {"Medidas", "Número de medidas guardadas en el registro"},
    {"Display_Fuente", "Corriente que atraviesa la muestra, en mA"},
    {"Mide_I_Iman", "Corriente en las bobinas del electroimán, en A"},
    {"Fija_I_Iman", "Corriente máxima del electroimán, en A"},
    {"Display_Volt", "Tensión medida por el voltímetro, en V"},
});
// clang-format on

} // namespace

std::span<const ControlHint> controlsInTabOrder() {
    return kControls;
}

std::span<const ControlHint> readoutHints() {
    return kReadouts;
}

} // namespace eh
