// The cryogenerator: a cooling term in the thermal tick. Every press leaves the tick
// running, so the sample drifts back to room temperature after a switch-off.
#include "bench/BenchModel.h"

namespace eh {

void BenchModel::Bot_Crio_On_Click() {
    if (!isEnabled(WidgetId::Bot_Crio_On)) return;
    setFill(WidgetId::Led_Crio, Crio_On == 0 ? kLampOn : kLampOff);
    setEnabled(WidgetId::Timer_Control, true);
    Crio_On = Crio_On == 0 ? 1 : 0;
}

} // namespace eh
