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

// Every widget the bench reads or writes, in its fixed order. The list gives both
// the ids below and their names (the widget names of the window), so neither can
// get out of step with the other.
// clang-format off
#define TARVELO_BENCH_WIDGETS(X) \
    X(Display_Fuente) \
    X(Display_Volt) \
    X(Display_T_Medida) \
    X(Display_T_Consigna) \
    X(Fija_I_Iman) \
    X(Mide_I_Iman) \
    X(Medidas) \
    X(Led_Fuente) \
    X(Led_Volt) \
    X(Led_Control) \
    X(Led_Crio) \
    X(Led_Iman) \
    X(Led_Inter) \
    X(Bot_Fuente_On) \
    X(Bot_Volt_On) \
    X(Bot_Control_On) \
    X(Bot_Crio_On) \
    X(Bot_Iman_On) \
    X(Bot_Inter) \
    X(Sube1) \
    X(Sube2) \
    X(Sube3) \
    X(Sube4) \
    X(Sube5) \
    X(Baja1) \
    X(Baja2) \
    X(Baja3) \
    X(Baja4) \
    X(Baja5) \
    X(SubeT1) \
    X(SubeT2) \
    X(SubeT3) \
    X(SubeT4) \
    X(BajaT1) \
    X(BajaT2) \
    X(BajaT3) \
    X(BajaT4) \
    X(Acumular) \
    X(Reset) \
    X(Salvar) \
    X(Conmuta_Ro) \
    X(Conmuta_EH) \
    X(Bot_Izquierda) \
    X(Bot_Derecha) \
    X(Combo_Muestra) \
    X(Control_I_Iman) \
    X(Muestra) \
    X(Timer_Control) \
    X(Timer_Iman1) \
    X(Timer_Iman2)

enum class WidgetId : std::uint8_t {
#define TARVELO_WIDGET_ID(name) name,
    TARVELO_BENCH_WIDGETS(TARVELO_WIDGET_ID)
#undef TARVELO_WIDGET_ID
    Count
};
// clang-format on

inline constexpr std::size_t kWidgetCount = static_cast<std::size_t>(WidgetId::Count);

std::string_view widgetName(WidgetId id);
std::optional<WidgetId> widgetIdFromName(std::string_view name);

} // namespace eh
