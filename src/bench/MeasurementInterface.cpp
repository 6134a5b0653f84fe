// The power switch of the measurement interface, which makes the register usable.
#include "bench/BenchModel.h"

namespace eh {

void BenchModel::Bot_Inter_Click() {
    if (!isEnabled(WidgetId::Bot_Inter)) return;
    const bool on = !Inter_On;
    setFill(WidgetId::Led_Inter, on ? kLampOn : kLampOff);
    setTextColor(WidgetId::Medidas, on ? kTextOn : kTextOff);
    setText(WidgetId::Medidas, on ? format(storedRecords(), kPatternCount) : std::string("000"));
    for (auto id : {WidgetId::Acumular, WidgetId::Reset, WidgetId::Salvar}) setEnabled(id, on);
    Inter_On = on;
}

} // namespace eh
