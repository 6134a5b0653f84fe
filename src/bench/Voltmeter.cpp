// The digital voltmeter and the switch box that selects the contacts it reads.
#include "bench/BenchModel.h"

namespace eh {

void BenchModel::Bot_Volt_On_Click() {
    if (!isEnabled(WidgetId::Bot_Volt_On)) return;
    Volt_On = !Volt_On;
    if (Volt_On) {
        setFill(WidgetId::Led_Volt, kLampOn);
        setTextColor(WidgetId::Display_Volt, kTextOn);
        setText(WidgetId::Display_Volt, format(Lectura_Volt.value(), kPatternVolt));
    } else {
        setFill(WidgetId::Led_Volt, kLampOff);
        setTextColor(WidgetId::Display_Volt, kTextOff);
        setText(WidgetId::Display_Volt, "00.00000");
    }
}

// The two buttons form a group: pressing one releases the other without a
// position change of its own, so the position always follows the button down.
void BenchModel::switchBoxChanged(WidgetId button, std::int16_t position) {
    const WidgetId partner = button == WidgetId::Conmuta_Ro ? WidgetId::Conmuta_EH : WidgetId::Conmuta_Ro;
    const bool down = !widget(button).down;
    setDown(button, down);
    if (down) setDown(partner, false);
    Conmutador = down ? position : std::int16_t{0};
    Recalcular_Lectura(true);
}

void BenchModel::Conmuta_Ro_Click() {
    if (isEnabled(WidgetId::Conmuta_Ro)) switchBoxChanged(WidgetId::Conmuta_Ro, 1);
}

void BenchModel::Conmuta_EH_Click() {
    if (isEnabled(WidgetId::Conmuta_EH)) switchBoxChanged(WidgetId::Conmuta_EH, 2);
}

} // namespace eh
