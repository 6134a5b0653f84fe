// The temperature controller, its set point and the thermal model of the sample.
#include <cmath>

#include "bench/BenchModel.h"

namespace eh {
namespace {

constexpr WidgetId kSetPointButtons[] = {WidgetId::BajaT1, WidgetId::BajaT2, WidgetId::BajaT3,
                                         WidgetId::BajaT4, WidgetId::SubeT1, WidgetId::SubeT2,
                                         WidgetId::SubeT3, WidgetId::SubeT4};

} // namespace

void BenchModel::Bot_Control_On_Click() {
    if (!isEnabled(WidgetId::Bot_Control_On)) return;
    if (Control_On == 0) {
        setFill(WidgetId::Led_Control, kLampOn);
        setTextColor(WidgetId::Display_T_Consigna, kTextOn);
        setTextColor(WidgetId::Display_T_Medida, kTextOn);
        setText(WidgetId::Display_T_Consigna, format(T_Consigna, kPatternTemp));
        setText(WidgetId::Display_T_Medida, format(T_Medida, kPatternTemp));
        for (auto id : kSetPointButtons) setEnabled(id, true);
        Control_On = 1;
        if (Crio_On == 0) setEnabled(WidgetId::Timer_Control, true);
    } else {
        setFill(WidgetId::Led_Control, kLampOff);
        setTextColor(WidgetId::Display_T_Consigna, kTextOff);
        setTextColor(WidgetId::Display_T_Medida, kTextOff);
        setText(WidgetId::Display_T_Consigna, "000.0");
        setText(WidgetId::Display_T_Medida, "000.0");
        for (auto id : kSetPointButtons) setEnabled(id, false);
        Control_On = 0;
        if (Crio_On == 0) setEnabled(WidgetId::Timer_Control, false);
    }
}

void BenchModel::stepSetPoint(float bound, bool up, double step) {
    stepDigit(T_Consigna, bound, up, step, WidgetId::Display_T_Consigna, kPatternTemp);
}

void BenchModel::SubeT1_Click() {
    if (isEnabled(WidgetId::SubeT1)) stepSetPoint(762.9f, true, 0.1);
}
void BenchModel::SubeT2_Click() {
    if (isEnabled(WidgetId::SubeT2)) stepSetPoint(762.0f, true, 1.0);
}
void BenchModel::SubeT3_Click() {
    if (isEnabled(WidgetId::SubeT3)) stepSetPoint(763.0f, true, 10.0);
}
void BenchModel::SubeT4_Click() {
    if (isEnabled(WidgetId::SubeT4)) stepSetPoint(673.0f, true, 100.0);
}
void BenchModel::BajaT1_Click() {
    if (isEnabled(WidgetId::BajaT1)) stepSetPoint(0.1f, false, 0.1);
}
void BenchModel::BajaT2_Click() {
    if (isEnabled(WidgetId::BajaT2)) stepSetPoint(1.0f, false, 1.0);
}
void BenchModel::BajaT3_Click() {
    if (isEnabled(WidgetId::BajaT3)) stepSetPoint(10.0f, false, 10.0);
}
void BenchModel::BajaT4_Click() {
    if (isEnabled(WidgetId::BajaT4)) stepSetPoint(100.0f, false, 100.0);
}

// One 120 ms step: heater (proportional, only below the set point), exchange with the
// room at 300 K, the cryogenerator's cooling, and a little noise.
void BenchModel::Timer_Control_Timer() {
    if (!isEnabled(WidgetId::Timer_Control)) return;
    const float t = T_Medida, tc = T_Consigna;
    float power = 0.0f;
    if (t > tc)
        power = static_cast<float>((300.0 - t) * 2.0);
    else if (t < tc)
        power =
            static_cast<float>(double{static_cast<float>(Control_On)} * Ganancia_Control * (double{tc} - t) +
                               (300.0 - t) * 2.0 + 50.0);
    const auto dT = static_cast<float>((double{power} - double{static_cast<float>(Crio_On)} * Potencia_Crio) *
                                       0.1 / Capacidad_Termica);
    const double noise = std::floor(double{Rnd()} * 21.0 - 10.0) / 200.0;
    T_Medida = static_cast<float>((double{t} + dT) + noise);
    if (Control_On == 1) setText(WidgetId::Display_T_Medida, format(T_Medida, kPatternTemp));
}

} // namespace eh
