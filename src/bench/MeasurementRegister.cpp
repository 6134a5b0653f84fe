// The measurement register: up to 100 records of the bench's latest readings.
#include "bench/BenchModel.h"
#include "model/MagnetField.h"

namespace eh {

void BenchModel::Acumular_Click() {
    if (!isEnabled(WidgetId::Acumular) || !Inter_On) return;
    // A full register refuses the press rather than write past its last slot.
    if (Num_Registro > kRegisterSlots) return;
    const auto k = static_cast<std::size_t>(Num_Registro);
    Reg_Temperatura[k] = T_Medida;
    // The nominal field of the set maximum, whatever the coil carries now.
    Reg_Campo[k] = magnetField(I_Iman_Max);
    Reg_Intensidad[k] = I_Fuente;
    Reg_VR[k] = Lectura_Ro.toSingle();
    Reg_VH_Neg[k] = Lectura_EH_Neg;
    Reg_VH_Pos[k] = Lectura_EH_Pos.toSingle();
    Num_Registro = static_cast<std::int16_t>(k + 1);
    unsaved_ = true;
    if (journal_ != nullptr) journal_->stored(storedValues());
    setText(WidgetId::Medidas, format(storedRecords(), kPatternCount));
}

void BenchModel::Reset_Click() {
    if (!isEnabled(WidgetId::Reset)) return;
    Num_Registro = 1;
    unsaved_ = false;
    if (journal_ != nullptr) journal_->settled();
    setText(WidgetId::Medidas, "000");
}

} // namespace eh
