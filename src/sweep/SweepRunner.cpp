#include "sweep/SweepRunner.h"

#include <array>
#include <cmath>

namespace eh::sweep {

SetPointChoice setPointFor(double targetK) {
    // Steady states of the tick with the controller on: with the cryogenerator,
    // T = (100 Tc + 150) / 102 for Tc of 75 K or more and T = Tc from 50 to 75 K;
    // without it, T = Tc from 300 to 325 K and (100 Tc + 650) / 102 above.
    double tc = 0;
    const bool cryo = targetK < 300;
    if (cryo)
        tc = targetK <= 75 ? targetK : (102 * targetK - 150) / 100;
    else
        tc = targetK <= 325 ? targetK : (102 * targetK - 650) / 100;
    return {std::round(tc * 10) / 10, cryo};
}

SweepRunner::SweepRunner(BenchModel& bench, const SweepPlan& plan)
    : bench_(bench), plan_(plan), clock_(bench) {}

namespace {

using Press = void (BenchModel::*)();

// Presses the digit buttons (finest first on the way up, so that no coarse step is
// refused near the top of its range; coarsest first on the way down) until the
// value shows `goal` units of its last digit.
void stepTo(BenchModel& bench, const float& value, long goal, double unitsPerValue,
            const std::array<Press, 4>& up, const std::array<Press, 4>& down) {
    for (int presses = 0; presses < 5000; ++presses) {
        const long now = std::lround(double{value} * unitsPerValue);
        const long diff = goal - now;
        if (diff == 0) return;
        Press press = nullptr;
        if (diff > 0) {
            long rest = diff;
            for (std::size_t digit = 0; digit < 4 && !press; ++digit, rest /= 10)
                if (rest % 10 != 0) press = up[digit];
            if (!press) press = up[3];
        } else {
            const long magnitude = -diff;
            long scale = 1000;
            for (std::size_t digit = 3;; --digit, scale /= 10) {
                if (magnitude >= scale || digit == 0) {
                    press = down[digit];
                    break;
                }
            }
        }
        const float before = value;
        (bench.*press)();
        if (value == before) return; // refused by its bound: as close as the buttons go
    }
}

} // namespace

void SweepRunner::setCurrent(double milliamps) {
    const float& value = bench_.I_Fuente;
    const long goal = std::lround(milliamps * 1000);
    // Five digits: the tens digit has its own button above the four finer ones.
    std::array<Press, 4> up{&BenchModel::Sube1_Click, &BenchModel::Sube2_Click, &BenchModel::Sube3_Click,
                            &BenchModel::Sube4_Click};
    std::array<Press, 4> down{&BenchModel::Baja1_Click, &BenchModel::Baja2_Click, &BenchModel::Baja3_Click,
                              &BenchModel::Baja4_Click};
    for (long tens = goal / 10000; tens > 0; --tens) bench_.Sube5_Click();
    stepTo(bench_, value, goal, 1000, up, down);
}

void SweepRunner::setSetPoint(double kelvin) {
    std::array<Press, 4> up{&BenchModel::SubeT1_Click, &BenchModel::SubeT2_Click, &BenchModel::SubeT3_Click,
                            &BenchModel::SubeT4_Click};
    std::array<Press, 4> down{&BenchModel::BajaT1_Click, &BenchModel::BajaT2_Click, &BenchModel::BajaT3_Click,
                              &BenchModel::BajaT4_Click};
    stepTo(bench_, bench_.T_Consigna, std::lround(kelvin * 10), 10, up, down);
}

void SweepRunner::setCryogenerator(bool on) {
    if ((bench_.Crio_On != 0) != on) bench_.Bot_Crio_On_Click();
}

void SweepRunner::switchOn() {
    bench_.Form_Load();
    bench_.Bot_Inter_Click();
    bench_.Bot_Volt_On_Click();
    bench_.Bot_Fuente_On_Click();
    setCurrent(plan_.currentMa);
    if (!plan_.sampleCode.empty()) {
        std::string error; // the plan holds a code already read, which cannot fail here
        bench_.useUnknownSample(plan_.sampleCode, error);
    }
    bench_.Combo_Muestra_Click(plan_.sample - 1);
    bench_.Bot_Iman_On_Click();
    bench_.Control_I_Iman_Change(static_cast<int>(std::lround(plan_.magnetA * 100)));
    bench_.Bot_Control_On_Click();
}

// Settled: the mean temperature of three successive blocks of controller ticks
// changes by no more than the allowed amount from one block to the next, so what
// is left is the noise, not an approach still under way.
bool SweepRunner::settleTemperature() {
    std::array<double, 3> means{};
    double sum = 0;
    for (int ticks = 0, blocks = 0; ticks < kMaxSettleTicks;) {
        if (!clock_.step()) continue;
        sum += bench_.T_Medida;
        ++ticks;
        ++report_.controlTicks;
        if (ticks % kSettleBlock != 0) continue;
        means = {means[1], means[2], sum / kSettleBlock};
        sum = 0;
        if (++blocks >= 3 && std::fabs(means[2] - means[1]) <= kSettleDriftK &&
            std::fabs(means[1] - means[0]) <= kSettleDriftK)
            return true;
    }
    return false;
}

// A ramp has finished when the coil current has reached the set maximum after the
// switch was operated (the first tick of a ramp counts from zero).
void SweepRunner::finishRamp() {
    for (int magnetTicks = 0; magnetTicks < kMaxRampTicks;) {
        if (clock_.step()) continue;
        ++magnetTicks;
        if (bench_.Ticks_Iman >= 2 && bench_.I_Iman == bench_.I_Iman_Max) return;
    }
}

void SweepRunner::measurePoint() {
    if (!bench_.widget(WidgetId::Conmuta_Ro).down) bench_.Conmuta_Ro_Click();
    bench_.Conmuta_EH_Click();
    if (bench_.widget(WidgetId::Bot_Derecha).down) bench_.Bot_Izquierda_Click();
    bench_.Bot_Derecha_Click();
    finishRamp();
    bench_.Bot_Izquierda_Click();
    finishRamp();
    bench_.Acumular_Click();
}

void SweepRunner::holdTemperature(double targetK) {
    const SetPointChoice choice = setPointFor(targetK);
    setCryogenerator(choice.cryogenerator);
    setSetPoint(choice.setPointK);
}

SweepReport SweepRunner::measureAll(int count, const std::function<void(int)>& prepare,
                                    const Progress& progress) {
    report_ = {};
    switchOn();
    for (int i = 0; i < count; ++i) {
        prepare(i);
        if (!settleTemperature()) ++report_.unsettledPoints;
        measurePoint();
        if (progress) progress(i + 1, count, bench_.T_Medida);
    }
    report_.records = bench_.storedRecords();
    bench_.Salvar_Click();
    return report_;
}

SweepReport SweepRunner::run(const std::vector<double>& targets, const Progress& progress) {
    return measureAll(
        static_cast<int>(targets.size()), [&](int i) { holdTemperature(targets[std::size_t(i)]); }, progress);
}

SweepReport SweepRunner::runField(const std::vector<int>& positions, const Progress& progress) {
    // The set point once; each new maximum then waits for the temperature as a point
    // of the temperature sweep does (the magnet does not move it, the wait is short).
    return measureAll(
        static_cast<int>(positions.size()),
        [&](int i) {
            if (i == 0) holdTemperature(plan_.fieldSweepK);
            bench_.Control_I_Iman_Change(positions[std::size_t(i)]);
        },
        progress);
}

} // namespace eh::sweep
