#include "bench/Widget.h"

#include <array>

namespace eh {
namespace {

constexpr std::array<std::string_view, kWidgetCount> kNames = {
    "Display_Fuente",
    "Display_Volt",
    "Display_T_Medida",
    "Display_T_Consigna",
    "Fija_I_Iman",
    "Mide_I_Iman",
    "Medidas",
    "Led_Fuente",
    "Led_Volt",
    "Led_Control",
    "Led_Crio",
    "Led_Iman",
    "Led_Inter",
    "Bot_Fuente_On",
    "Bot_Volt_On",
    "Bot_Control_On",
    "Bot_Crio_On",
    "Bot_Iman_On",
    "Bot_Inter",
    "Sube1",
    "Sube2",
    "Sube3",
    "Sube4",
    "Sube5",
    "Baja1",
    "Baja2",
    "Baja3",
    "Baja4",
    "Baja5",
    "SubeT1",
    "SubeT2",
    "SubeT3",
    "SubeT4",
    "BajaT1",
    "BajaT2",
    "BajaT3",
    "BajaT4",
    "Acumular",
    "Reset",
    "Salvar",
    "Conmuta_Ro",
    "Conmuta_EH",
    "Bot_Izquierda",
    "Bot_Derecha",
    "Combo_Muestra",
    "Control_I_Iman",
    "Muestra",
    "Timer_Control",
    "Timer_Iman1",
    "Timer_Iman2",
};

} // namespace

std::string_view widgetName(WidgetId id) {
    return kNames.at(static_cast<std::size_t>(id));
}

std::optional<WidgetId> widgetIdFromName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<WidgetId>(i);
    return std::nullopt;
}

} // namespace eh
