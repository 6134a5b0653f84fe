#include "sweep/BenchClock.h"

namespace eh::sweep {

bool BenchClock::step() {
    const bool control = nextControlMs_ <= nextMagnetMs_;
    if (control) {
        nowMs_ = nextControlMs_;
        nextControlMs_ += 120;
        if (bench_.widget(WidgetId::Timer_Control).enabled) bench_.Timer_Control_Timer();
    } else {
        nowMs_ = nextMagnetMs_;
        nextMagnetMs_ += 100;
        // At most one magnet timer runs; each tick method checks its own.
        bench_.Timer_Iman1_Timer();
        bench_.Timer_Iman2_Timer();
    }
    return control;
}

} // namespace eh::sweep
