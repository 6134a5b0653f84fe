// The constant-current source: on/off and the digit-by-digit setting of I_Fuente.
#include "bench/BenchModel.h"

namespace eh {
namespace {

constexpr WidgetId kStepButtons[] = {WidgetId::Baja1, WidgetId::Baja2, WidgetId::Baja3, WidgetId::Baja4,
                                     WidgetId::Baja5, WidgetId::Sube1, WidgetId::Sube2, WidgetId::Sube3,
                                     WidgetId::Sube4, WidgetId::Sube5};

} // namespace

void BenchModel::Bot_Fuente_On_Click() {
    if (!isEnabled(WidgetId::Bot_Fuente_On)) return;
    if (!Fuente_On) {
        setFill(WidgetId::Led_Fuente, kLampOn);
        setTextColor(WidgetId::Display_Fuente, kTextOn);
        setText(WidgetId::Display_Fuente, format(I_Fuente, kPatternFuente));
        for (auto id : kStepButtons) setEnabled(id, true);
    } else {
        setFill(WidgetId::Led_Fuente, kLampOff);
        setTextColor(WidgetId::Display_Fuente, kTextOff);
        // A switched-off source drives no current: zero it before the display change
        // recomputes the reading.
        I_Fuente = 0.0f;
        setText(WidgetId::Display_Fuente, "00.000");
        for (auto id : kStepButtons) setEnabled(id, false);
    }
    Fuente_On = !Fuente_On;
}

// A step that would leave (0, 100) mA is refused whole.
void BenchModel::stepCurrent(float bound, bool up, double step) {
    stepDigit(I_Fuente, bound, up, step, WidgetId::Display_Fuente, kPatternFuente);
}

void BenchModel::Sube1_Click() {
    if (isEnabled(WidgetId::Sube1)) stepCurrent(99.999f, true, 0.001);
}
void BenchModel::Sube2_Click() {
    if (isEnabled(WidgetId::Sube2)) stepCurrent(99.99f, true, 0.01);
}
void BenchModel::Sube3_Click() {
    if (isEnabled(WidgetId::Sube3)) stepCurrent(99.9f, true, 0.1);
}
void BenchModel::Sube4_Click() {
    if (isEnabled(WidgetId::Sube4)) stepCurrent(99.0f, true, 1.0);
}
void BenchModel::Sube5_Click() {
    if (isEnabled(WidgetId::Sube5)) stepCurrent(90.0f, true, 10.0);
}
void BenchModel::Baja1_Click() {
    if (isEnabled(WidgetId::Baja1)) stepCurrent(0.001f, false, 0.001);
}
void BenchModel::Baja2_Click() {
    if (isEnabled(WidgetId::Baja2)) stepCurrent(0.01f, false, 0.01);
}
void BenchModel::Baja3_Click() {
    if (isEnabled(WidgetId::Baja3)) stepCurrent(0.1f, false, 0.1);
}
void BenchModel::Baja4_Click() {
    if (isEnabled(WidgetId::Baja4)) stepCurrent(1.0f, false, 1.0);
}
void BenchModel::Baja5_Click() {
    if (isEnabled(WidgetId::Baja5)) stepCurrent(10.0f, false, 10.0);
}

} // namespace eh
