// The electromagnet supply: the current limit, the two polarity switches and the
// exponential ramp of the coil current with the field that follows from it.
#include <climits>
#include <cmath>

#include "bench/BenchModel.h"
#include "model/MagnetField.h"

namespace eh {

// The displays never show 10.00 for an exact 10 A.
std::string BenchModel::textIman(float current) const {
    if (current == 0.0f) return "0.00";
    if (current == 10.0f) return "9.99";
    return format(current, kPatternIman);
}

std::string BenchModel::textImanSlider(int position) const {
    if (position == 0) return "0.00";
    if (position == 1000) return "9.99";
    return format(position / 100.0, kPatternIman);
}

void BenchModel::Bot_Iman_On_Click() {
    if (!isEnabled(WidgetId::Bot_Iman_On)) return;
    if (!Iman_On) {
        setFill(WidgetId::Led_Iman, kLampOn);
        setTextColor(WidgetId::Fija_I_Iman, kTextOn);
        setTextColor(WidgetId::Mide_I_Iman, kTextOn);
        setEnabled(WidgetId::Bot_Izquierda, true);
        setEnabled(WidgetId::Bot_Derecha, true);
        const int position = widget(WidgetId::Control_I_Iman).value;
        setText(WidgetId::Fija_I_Iman, textImanSlider(position));
        I_Iman_Max = static_cast<float>(position / 100.0);
    } else {
        setFill(WidgetId::Led_Iman, kLampOff);
        setTextColor(WidgetId::Fija_I_Iman, kTextOff);
        setTextColor(WidgetId::Mide_I_Iman, kTextOff);
        setEnabled(WidgetId::Bot_Izquierda, false);
        setEnabled(WidgetId::Bot_Derecha, false);
        setText(WidgetId::Mide_I_Iman, "0.00");
    }
    Iman_On = !Iman_On;
}

void BenchModel::Control_I_Iman_Change(int position) {
    if (!isEnabled(WidgetId::Control_I_Iman)) return;
    if (position < 0) position = 0;
    if (position > 1000) position = 1000;
    Widget& slider = w(WidgetId::Control_I_Iman);
    if (slider.value == position) return;
    slider.value = position;
    notify(WidgetId::Control_I_Iman);
    if (!Iman_On) return;
    setText(WidgetId::Fija_I_Iman, textImanSlider(position));
    I_Iman_Max = static_cast<float>(position / 100.0);
}

// The operated switch toggles and releases its partner; its timer takes over the
// ramp from n = 0 with the switch's sign, engaged or not.
void BenchModel::polaritySwitch(WidgetId own, WidgetId partner, WidgetId ownTimer, WidgetId otherTimer,
                                std::int16_t sign) {
    if (!isEnabled(own)) return;
    const bool down = !widget(own).down;
    setDown(own, down);
    if (down) setDown(partner, false);
    if (!Iman_On) return;
    setEnabled(ownTimer, true);
    setEnabled(otherTimer, false);
    Ticks_Iman = 0;
    Polaridad = sign;
}

void BenchModel::Bot_Izquierda_Click() {
    polaritySwitch(WidgetId::Bot_Izquierda, WidgetId::Bot_Derecha, WidgetId::Timer_Iman1,
                   WidgetId::Timer_Iman2, -1);
}

void BenchModel::Bot_Derecha_Click() {
    polaritySwitch(WidgetId::Bot_Derecha, WidgetId::Bot_Izquierda, WidgetId::Timer_Iman2,
                   WidgetId::Timer_Iman1, 1);
}

// Rise while the timer's switch is engaged, fall while it is not. With the supply
// off the ramp is frozen at its tick count and nothing is shown.
void BenchModel::magnetTick(WidgetId timer, WidgetId sw) {
    if (!isEnabled(timer)) return;
    const std::int32_t n = Ticks_Iman;
    const double decay = std::exp(-static_cast<double>(n) / Tau_Iman);
    I_Iman = widget(sw).down ? static_cast<float>((1.0 - decay) * I_Iman_Max)
                             : static_cast<float>(I_Iman_Max * decay);
    B_Iman = magnetField(I_Iman);
    if (!Iman_On) return;
    setText(WidgetId::Mide_I_Iman, textIman(I_Iman));
    Ticks_Iman = n == INT32_MAX ? n : n + 1;
}

void BenchModel::Timer_Iman1_Timer() {
    magnetTick(WidgetId::Timer_Iman1, WidgetId::Bot_Izquierda);
}
void BenchModel::Timer_Iman2_Timer() {
    magnetTick(WidgetId::Timer_Iman2, WidgetId::Bot_Derecha);
}

} // namespace eh
