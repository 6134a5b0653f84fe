#include "BenchInvariants.h"

#include <cmath>
#include <initializer_list>

#include "ReadoutPattern.h"

namespace eh::soak {
namespace {

constexpr Rgb kDesignGrey{128, 128, 128};

class Checker {
public:
    explicit Checker(const BenchModel& bench) : bench_(bench), sep_(bench.decimalSeparator()) {}

    std::vector<std::string> take() { return std::move(found_); }

    void rule(bool holds, const std::string& what) {
        if (!holds) found_.push_back(what);
    }

    void ranges();
    void readouts();
    void instruments();
    void switches();

private:
    const std::string& text(WidgetId id) const { return bench_.widget(id).text; }
    std::string show(WidgetId id) const { return std::string(widgetName(id)) + " \"" + text(id) + "\""; }

    // An instrument's readout: the formatted value while on, the fixed text while off.
    void readout(WidgetId id, bool on, ReadoutShape shape, const std::string& expectedOn,
                 const char* offText) {
        if (on) {
            rule(hasShape(text(id), shape, sep_), show(id) + " does not fit its pattern");
            rule(text(id) == expectedOn, show(id) + " does not show " + expectedOn);
        } else {
            rule(text(id) == offText, show(id) + " is not the switched-off text " + offText);
        }
    }
    void lamp(WidgetId led, bool on) {
        rule(bench_.widget(led).fillColor == (on ? kLampOn : kLampOff),
             std::string(widgetName(led)) + " lamp colour disagrees with the instrument");
    }
    void textColour(WidgetId id, bool on) {
        const Rgb c = bench_.widget(id).textColor;
        rule(on ? c == kTextOn : (c == kTextOff || c == kDesignGrey),
             std::string(widgetName(id)) + " text colour disagrees with the instrument");
    }
    void enabled(std::initializer_list<WidgetId> ids, bool on) {
        for (auto id : ids)
            rule(bench_.widget(id).enabled == on,
                 std::string(widgetName(id)) + (on ? " disabled while on" : " enabled while off"));
    }
    std::string fmt(double v, NumberPattern p) const { return formatPattern(v, p, sep_); }

    const BenchModel& bench_;
    char sep_;
    std::vector<std::string> found_;
};

void Checker::ranges() {
    const BenchModel& b = bench_;
    rule(b.I_Fuente >= 0.0f && b.I_Fuente < 100.0f, "I_Fuente " + std::to_string(b.I_Fuente));
    rule(b.T_Consigna > 0.0f && b.T_Consigna < 773.0f, "T_Consigna " + std::to_string(b.T_Consigna));
    rule(std::isfinite(b.T_Medida) && b.T_Medida >= 49.0f && b.T_Medida <= 780.0f,
         "T_Medida " + std::to_string(b.T_Medida));
    rule(b.I_Iman >= 0.0f && b.I_Iman <= 10.0f, "I_Iman " + std::to_string(b.I_Iman));
    rule(b.B_Iman >= 0.0f && b.B_Iman <= 9000.0f, "B_Iman " + std::to_string(b.B_Iman));
    rule(b.Num_Registro >= 1 && b.Num_Registro <= 101, "Num_Registro " + std::to_string(b.Num_Registro));
    rule(b.Muestra_Sel == 1 || b.Muestra_Sel == 2, "Muestra_Sel " + std::to_string(b.Muestra_Sel));
    rule(b.Polaridad >= -1 && b.Polaridad <= 1, "Polaridad " + std::to_string(b.Polaridad));
    rule(std::isfinite(b.Lectura_Volt.value()), "Lectura_Volt not finite");
}

void Checker::readouts() {
    const BenchModel& b = bench_;
    // A current just below 100 mA rounds to "100.000".
    readout(WidgetId::Display_Fuente, b.Fuente_On, {2, 3, 3, false}, fmt(b.I_Fuente, kPatternFuente),
            "00.000");
    readout(WidgetId::Display_Volt, b.Volt_On, {2, 4, 5, true}, fmt(b.Lectura_Volt.value(), kPatternVolt),
            "00.00000");
    const bool control = b.Control_On == 1;
    readout(WidgetId::Display_T_Medida, control, {3, 3, 1, false}, fmt(b.T_Medida, kPatternTemp), "000.0");
    readout(WidgetId::Display_T_Consigna, control, {3, 3, 1, false}, fmt(b.T_Consigna, kPatternTemp),
            "000.0");
    readout(WidgetId::Medidas, b.Inter_On, {3, 3, 0, false}, fmt(b.storedRecords(), kPatternCount), "000");

    // The magnet readouts: "0.00" and "9.99" always with a point; the set current
    // stays as it was when the supply is switched off.
    auto magnet = [&](WidgetId id, int maxWhole) {
        const std::string& t = text(id);
        rule(t == "0.00" || t == "9.99" || hasShape(t, {1, maxWhole, 2, false}, sep_),
             show(id) + " does not fit its pattern");
    };
    magnet(WidgetId::Fija_I_Iman, 1);
    magnet(WidgetId::Mide_I_Iman, 2);
    if (b.Iman_On) {
        const int position = b.widget(WidgetId::Control_I_Iman).value;
        const std::string set = position == 0      ? std::string("0.00")
                                : position == 1000 ? std::string("9.99")
                                                   : fmt(position / 100.0, kPatternIman);
        rule(text(WidgetId::Fija_I_Iman) == set, show(WidgetId::Fija_I_Iman) + " is not the slider's " + set);
    } else {
        rule(text(WidgetId::Mide_I_Iman) == "0.00", show(WidgetId::Mide_I_Iman) + " while the supply is off");
    }
    const std::string& measured = text(WidgetId::Mide_I_Iman);
    if (measured.size() == 5) rule(measured == std::string("10") + sep_ + "00", show(WidgetId::Mide_I_Iman));
}

void Checker::instruments() {
    const BenchModel& b = bench_;
    rule(b.Control_On == 0 || b.Control_On == 1, "Control_On " + std::to_string(b.Control_On));
    rule(b.Crio_On == 0 || b.Crio_On == 1, "Crio_On " + std::to_string(b.Crio_On));
    const bool control = b.Control_On == 1, crio = b.Crio_On == 1;

    lamp(WidgetId::Led_Fuente, b.Fuente_On);
    lamp(WidgetId::Led_Volt, b.Volt_On);
    lamp(WidgetId::Led_Control, control);
    lamp(WidgetId::Led_Crio, crio);
    lamp(WidgetId::Led_Iman, b.Iman_On);
    lamp(WidgetId::Led_Inter, b.Inter_On);

    textColour(WidgetId::Display_Fuente, b.Fuente_On);
    textColour(WidgetId::Display_Volt, b.Volt_On);
    textColour(WidgetId::Display_T_Medida, control);
    textColour(WidgetId::Display_T_Consigna, control);
    textColour(WidgetId::Fija_I_Iman, b.Iman_On);
    textColour(WidgetId::Mide_I_Iman, b.Iman_On);
    textColour(WidgetId::Medidas, b.Inter_On);

    using W = WidgetId;
    enabled(
        {W::Sube1, W::Sube2, W::Sube3, W::Sube4, W::Sube5, W::Baja1, W::Baja2, W::Baja3, W::Baja4, W::Baja5},
        b.Fuente_On);
    enabled({W::SubeT1, W::SubeT2, W::SubeT3, W::SubeT4, W::BajaT1, W::BajaT2, W::BajaT3, W::BajaT4},
            control);
    enabled({W::Bot_Izquierda, W::Bot_Derecha}, b.Iman_On);
    enabled({W::Acumular, W::Reset, W::Salvar}, b.Inter_On);
    enabled({W::Bot_Fuente_On, W::Bot_Volt_On, W::Bot_Control_On, W::Bot_Crio_On, W::Bot_Iman_On,
             W::Bot_Inter, W::Conmuta_Ro, W::Conmuta_EH, W::Combo_Muestra, W::Control_I_Iman},
            true);
    if (control || crio) enabled({W::Timer_Control}, true);
}

void Checker::switches() {
    const BenchModel& b = bench_;
    const bool ro = b.widget(WidgetId::Conmuta_Ro).down, hall = b.widget(WidgetId::Conmuta_EH).down;
    const int position = ro ? 1 : hall ? 2 : 0;
    rule(!(ro && hall), "both switch-box buttons down");
    rule(b.Conmutador == position,
         "Conmutador " + std::to_string(b.Conmutador) + " with button " + std::to_string(position) + " down");
    rule(!(b.widget(WidgetId::Bot_Izquierda).down && b.widget(WidgetId::Bot_Derecha).down),
         "both polarity switches down");
    rule(!(b.widget(WidgetId::Timer_Iman1).enabled && b.widget(WidgetId::Timer_Iman2).enabled),
         "both magnet timers running");
}

} // namespace

std::vector<std::string> benchViolations(const BenchModel& bench) {
    Checker check(bench);
    check.ranges();
    check.readouts();
    check.instruments();
    check.switches();
    return check.take();
}

} // namespace eh::soak
