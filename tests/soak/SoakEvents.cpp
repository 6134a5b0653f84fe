#include "SoakEvents.h"

#include <array>
#include <vector>

namespace eh::soak {
namespace {

template <void (BenchModel::*Op)()> void call(BenchModel& bench, std::mt19937&) {
    (bench.*Op)();
}

// The list may be clicked with an index past either end, as a stray event would.
void chooseSample(BenchModel& bench, std::mt19937& random) {
    bench.Combo_Muestra_Click(std::uniform_int_distribution<int>(-1, 2)(random));
}

// Mostly a drag to any position, sometimes a value outside the slider's range.
void moveSlider(BenchModel& bench, std::mt19937& random) {
    bench.Control_I_Iman_Change(std::uniform_int_distribution<int>(-100, 1100)(random));
}

// A drawn event repeats up to its burst length, as a held button or a stretch of
// time without input would: long runs of thermal ticks let the sample cool into
// freeze-out or heat up fully, runs of Acumular fill the register.
const std::array kEvents = {
    SoakEvent{"Combo_Muestra_Click", 2, 1, chooseSample},
    SoakEvent{"Bot_Fuente_On_Click", 2, 1, call<&BenchModel::Bot_Fuente_On_Click>},
    SoakEvent{"Sube1_Click", 2, 8, call<&BenchModel::Sube1_Click>},
    SoakEvent{"Sube2_Click", 2, 8, call<&BenchModel::Sube2_Click>},
    SoakEvent{"Sube3_Click", 2, 8, call<&BenchModel::Sube3_Click>},
    SoakEvent{"Sube4_Click", 2, 8, call<&BenchModel::Sube4_Click>},
    SoakEvent{"Sube5_Click", 2, 8, call<&BenchModel::Sube5_Click>},
    SoakEvent{"Baja1_Click", 2, 8, call<&BenchModel::Baja1_Click>},
    SoakEvent{"Baja2_Click", 2, 8, call<&BenchModel::Baja2_Click>},
    SoakEvent{"Baja3_Click", 2, 8, call<&BenchModel::Baja3_Click>},
    SoakEvent{"Baja4_Click", 2, 8, call<&BenchModel::Baja4_Click>},
    SoakEvent{"Baja5_Click", 2, 8, call<&BenchModel::Baja5_Click>},
    SoakEvent{"Bot_Volt_On_Click", 2, 1, call<&BenchModel::Bot_Volt_On_Click>},
    SoakEvent{"Conmuta_Ro_Click", 2, 1, call<&BenchModel::Conmuta_Ro_Click>},
    SoakEvent{"Conmuta_EH_Click", 2, 1, call<&BenchModel::Conmuta_EH_Click>},
    SoakEvent{"Bot_Control_On_Click", 2, 1, call<&BenchModel::Bot_Control_On_Click>},
    SoakEvent{"SubeT1_Click", 2, 8, call<&BenchModel::SubeT1_Click>},
    SoakEvent{"SubeT2_Click", 2, 8, call<&BenchModel::SubeT2_Click>},
    SoakEvent{"SubeT3_Click", 2, 8, call<&BenchModel::SubeT3_Click>},
    SoakEvent{"SubeT4_Click", 2, 8, call<&BenchModel::SubeT4_Click>},
    SoakEvent{"BajaT1_Click", 2, 8, call<&BenchModel::BajaT1_Click>},
    SoakEvent{"BajaT2_Click", 2, 8, call<&BenchModel::BajaT2_Click>},
    SoakEvent{"BajaT3_Click", 2, 8, call<&BenchModel::BajaT3_Click>},
    SoakEvent{"BajaT4_Click", 2, 8, call<&BenchModel::BajaT4_Click>},
    SoakEvent{"Timer_Control_Timer", 6, 300, call<&BenchModel::Timer_Control_Timer>},
    SoakEvent{"Bot_Crio_On_Click", 1, 1, call<&BenchModel::Bot_Crio_On_Click>},
    SoakEvent{"Bot_Iman_On_Click", 2, 1, call<&BenchModel::Bot_Iman_On_Click>},
    SoakEvent{"Control_I_Iman_Change", 2, 1, moveSlider},
    SoakEvent{"Bot_Izquierda_Click", 2, 1, call<&BenchModel::Bot_Izquierda_Click>},
    SoakEvent{"Bot_Derecha_Click", 2, 1, call<&BenchModel::Bot_Derecha_Click>},
    SoakEvent{"Timer_Iman1_Timer", 3, 40, call<&BenchModel::Timer_Iman1_Timer>},
    SoakEvent{"Timer_Iman2_Timer", 3, 40, call<&BenchModel::Timer_Iman2_Timer>},
    SoakEvent{"Bot_Inter_Click", 2, 1, call<&BenchModel::Bot_Inter_Click>},
    SoakEvent{"Acumular_Click", 3, 50, call<&BenchModel::Acumular_Click>},
    SoakEvent{"Reset_Click", 2, 1, call<&BenchModel::Reset_Click>},
    SoakEvent{"Salvar_Click", 3, 1, call<&BenchModel::Salvar_Click>},
};

std::vector<double> weights() {
    std::vector<double> w;
    for (const auto& e : kEvents) w.push_back(e.weight);
    return w;
}

} // namespace

std::span<const SoakEvent> soakEvents() {
    return kEvents;
}

EventPicker::EventPicker() {
    const auto w = weights();
    choice_ = std::discrete_distribution<std::size_t>(w.begin(), w.end());
}

const SoakEvent& EventPicker::next(std::mt19937& random) {
    return kEvents[choice_(random)];
}

} // namespace eh::soak
