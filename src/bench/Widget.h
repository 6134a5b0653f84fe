#pragma once
// What the window shows of each bench widget, as the model keeps it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace eh {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kLampOn{255, 0, 0};
inline constexpr Rgb kLampOff{175, 0, 0};
inline constexpr Rgb kTextOn{255, 0, 0};
inline constexpr Rgb kTextOff{125, 125, 125};

struct Widget {
    std::string text; // UTF-8 caption or readout text
    Rgb textColor;
    Rgb fillColor;                  // lamps and shapes
    bool enabled = true;            // buttons, two-state buttons, timers
    bool down = false;              // two-state buttons
    std::vector<std::string> items; // the sample list
    int width = 0;                  // the sample shape, in twips
    int value = 0;                  // the slider position
};

// Every widget the bench reads or writes. The order is fixed; names below.
enum class WidgetId : std::uint8_t {
    Display_Fuente,
    Display_Volt,
    Display_T_Medida,
    Display_T_Consigna,
    Fija_I_Iman,
    Mide_I_Iman,
    Medidas,
    Led_Fuente,
    Led_Volt,
    Led_Control,
    Led_Crio,
    Led_Iman,
    Led_Inter,
    Bot_Fuente_On,
    Bot_Volt_On,
    Bot_Control_On,
    Bot_Crio_On,
    Bot_Iman_On,
    Bot_Inter,
    Sube1,
    Sube2,
    Sube3,
    Sube4,
    Sube5,
    Baja1,
    Baja2,
    Baja3,
    Baja4,
    Baja5,
    SubeT1,
    SubeT2,
    SubeT3,
    SubeT4,
    BajaT1,
    BajaT2,
    BajaT3,
    BajaT4,
    Acumular,
    Reset,
    Salvar,
    Conmuta_Ro,
    Conmuta_EH,
    Bot_Izquierda,
    Bot_Derecha,
    Combo_Muestra,
    Control_I_Iman,
    Muestra,
    Timer_Control,
    Timer_Iman1,
    Timer_Iman2,
    Count
};

inline constexpr std::size_t kWidgetCount = static_cast<std::size_t>(WidgetId::Count);

std::string_view widgetName(WidgetId id);
std::optional<WidgetId> widgetIdFromName(std::string_view name);

} // namespace eh
