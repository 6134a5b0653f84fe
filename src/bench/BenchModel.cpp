#include "bench/BenchModel.h"

#include <random>
#include <stdexcept>

#include "datafile/ErrorReport.h"
#include "model/Reading.h"
#include "model/Transport.h"
#include "model/UnknownSample.h"

namespace eh {
namespace {

constexpr Rgb kDesignGrey{128, 128, 128};
constexpr Rgb kCaptionRed{192, 0, 0};
constexpr Rgb kLedDesign{255, 192, 192};

// Uniform in [0, 1) from the top 24 bits, so every value is an exact float below 1.
std::function<float()> defaultNoise() {
    return [gen = std::mt19937{}]() mutable { return static_cast<float>(gen() >> 8) * 0x1p-24f; };
}

} // namespace

BenchModel::BenchModel(BenchHost& host, char decimalSeparator)
    : Rnd(defaultNoise()), host_(host), separator_(decimalSeparator) {
    initDesignState();
}

// The window as it was designed, before the start-up sequence touches it.
void BenchModel::initDesignState() {
    for (auto& wd : widgets_) wd.textColor = kCaptionRed;
    // Built as a new string and moved in: assigning the literal directly trips a
    // false -Wrestrict warning of GCC 12 at -O3.
    auto setCaption = [this](WidgetId id, const char* text) { w(id).text = std::string(text); };
    auto readout = [&](WidgetId id, const char* text, Rgb color) {
        setCaption(id, text);
        w(id).textColor = color;
    };
    readout(WidgetId::Display_Fuente, "00.000", kDesignGrey);
    readout(WidgetId::Display_Volt, "00.00000", Rgb{0, 0, 0});
    readout(WidgetId::Display_T_Medida, "000.0", kDesignGrey);
    readout(WidgetId::Display_T_Consigna, "000.0", kDesignGrey);
    readout(WidgetId::Fija_I_Iman, "0.00", kDesignGrey);
    readout(WidgetId::Mide_I_Iman, "0.00", kDesignGrey);
    readout(WidgetId::Medidas, "000", kDesignGrey);
    for (auto id : {WidgetId::Led_Fuente, WidgetId::Led_Volt, WidgetId::Led_Control, WidgetId::Led_Crio,
                    WidgetId::Led_Iman, WidgetId::Led_Inter})
        w(id).fillColor = kLedDesign;
    for (auto id : {WidgetId::Bot_Fuente_On, WidgetId::Bot_Volt_On, WidgetId::Bot_Control_On,
                    WidgetId::Bot_Crio_On, WidgetId::Bot_Iman_On, WidgetId::Bot_Inter})
        setCaption(id, "On/Off");
    for (auto id : {WidgetId::Sube1, WidgetId::Sube2, WidgetId::Sube3, WidgetId::Sube4, WidgetId::Sube5,
                    WidgetId::SubeT1, WidgetId::SubeT2, WidgetId::SubeT3, WidgetId::SubeT4})
        setCaption(id, "+");
    for (auto id : {WidgetId::Baja1, WidgetId::Baja2, WidgetId::Baja3, WidgetId::Baja4, WidgetId::Baja5,
                    WidgetId::BajaT1, WidgetId::BajaT2, WidgetId::BajaT3, WidgetId::BajaT4})
        setCaption(id, "-");
    setCaption(WidgetId::Acumular, "Acumular");
    setCaption(WidgetId::Reset, "Inicializar");
    setCaption(WidgetId::Salvar, "Salvar");
    setCaption(WidgetId::Combo_Muestra, "Muestras");
    w(WidgetId::Combo_Muestra).textColor = Rgb{0, 0, 0};
    w(WidgetId::Combo_Muestra).fillColor = Rgb{224, 224, 224};
    w(WidgetId::Muestra).width = 135;
    w(WidgetId::Muestra).fillColor = Rgb{64, 64, 64};
    for (auto id : {WidgetId::Timer_Control, WidgetId::Timer_Iman1, WidgetId::Timer_Iman2})
        w(id).enabled = false;
}

const Widget& BenchModel::widget(std::string_view name) const {
    const auto id = widgetIdFromName(name);
    if (!id) throw std::out_of_range("no bench widget named " + std::string(name));
    return widget(*id);
}

void BenchModel::notify(WidgetId id) const {
    if (listener_) listener_(id);
}

void BenchModel::setText(WidgetId id, std::string text) {
    Widget& wd = w(id);
    if (wd.text == text) return;
    wd.text = std::move(text);
    notify(id);
    runChangeHandler(id);
}

void BenchModel::runChangeHandler(WidgetId id) {
    switch (id) {
    case WidgetId::Display_Fuente:
    case WidgetId::Display_Volt:
        Recalcular_Lectura(true);
        break;
    case WidgetId::Display_T_Medida:
        Calculo();
        Recalcular_Lectura(true);
        break;
    case WidgetId::Mide_I_Iman:
        Recalcular_Lectura(false);
        break;
    default:
        break;
    }
}

void BenchModel::setTextColor(WidgetId id, Rgb color) {
    if (w(id).textColor == color) return;
    w(id).textColor = color;
    notify(id);
}

void BenchModel::setFill(WidgetId id, Rgb color) {
    if (w(id).fillColor == color) return;
    w(id).fillColor = color;
    notify(id);
}

void BenchModel::setEnabled(WidgetId id, bool enabled) {
    if (w(id).enabled == enabled) return;
    w(id).enabled = enabled;
    notify(id);
}

void BenchModel::setDown(WidgetId id, bool down) {
    if (w(id).down == down) return;
    w(id).down = down;
    notify(id);
}

void BenchModel::setWidth(WidgetId id, int width) {
    if (w(id).width == width) return;
    w(id).width = width;
    notify(id);
}

void BenchModel::setItems(WidgetId id, std::vector<std::string> items) {
    w(id).items = std::move(items);
    notify(id);
}

// The digit buttons: the bound is tested strictly, in single precision, before the
// step, which is computed in double and stored as a single; never a clamp after it.
void BenchModel::stepDigit(float& value, float bound, bool up, double step, WidgetId display,
                           NumberPattern pattern) {
    if (up ? !(value < bound) : !(value > bound)) return;
    value = static_cast<float>(double{value} + (up ? step : -step));
    setText(display, format(value, pattern));
}

std::string BenchModel::format(double value, NumberPattern pattern) const {
    return formatPattern(value, pattern, separator_);
}

void BenchModel::Form_Load() {
    Catalogo.fill();
    setItems(WidgetId::Combo_Muestra, sampleListItems());
    for (auto id : {WidgetId::Led_Iman, WidgetId::Led_Control, WidgetId::Led_Volt, WidgetId::Led_Fuente,
                    WidgetId::Led_Crio, WidgetId::Led_Inter})
        setFill(id, kLampOff);
    setWidth(WidgetId::Muestra, 65);
    for (auto id : {WidgetId::Fija_I_Iman, WidgetId::Mide_I_Iman, WidgetId::Display_Volt})
        setTextColor(id, kTextOff);
    for (auto id :
         {WidgetId::Baja1,  WidgetId::Baja2,  WidgetId::Baja3,  WidgetId::Baja4,    WidgetId::Baja5,
          WidgetId::Sube1,  WidgetId::Sube2,  WidgetId::Sube3,  WidgetId::Sube4,    WidgetId::Sube5,
          WidgetId::BajaT1, WidgetId::BajaT2, WidgetId::BajaT3, WidgetId::BajaT4,   WidgetId::SubeT1,
          WidgetId::SubeT2, WidgetId::SubeT3, WidgetId::SubeT4, WidgetId::Acumular, WidgetId::Reset,
          WidgetId::Salvar})
        setEnabled(id, false);
    R_Muestra = 1.0f;
    R_Hall = 1.0f;
    Muestra_Sel = 1;
    Num_Registro = 1;
    Conmutador = 0;
    Iman_On = false;
    Volt_On = false;
    Fuente_On = false;
    Control_On = 0;
    Crio_On = 0;
    Tau_Iman = 2.0f;
    Lectura_Volt = TaggedNumber::int16(0);
    T_Medida = 300.0f;
    T_Consigna = 300.0f;
    Capacidad_Termica = 100.0f;
    Ganancia_Control = 100.0f;
    I_Fuente = 0.0f;
    Potencia_Crio = 500.0f;
    setEnabled(WidgetId::Bot_Izquierda, false);
    setEnabled(WidgetId::Bot_Derecha, false);
}

void BenchModel::Combo_Muestra_Click(int listIndex) {
    const Widget& combo = widget(WidgetId::Combo_Muestra);
    if (!combo.enabled || listIndex < 0 || listIndex >= static_cast<int>(combo.items.size())) return;
    Muestra_Sel = static_cast<std::int16_t>(listIndex + 1);
    // The list's text field shows the chosen item; that raises nothing.
    if (w(WidgetId::Combo_Muestra).text != combo.items[static_cast<std::size_t>(listIndex)]) {
        w(WidgetId::Combo_Muestra).text = combo.items[static_cast<std::size_t>(listIndex)];
        notify(WidgetId::Combo_Muestra);
    }
}

// The catalogued samples, then the unknown one when a code has loaded it.
std::vector<std::string> BenchModel::sampleListItems() const {
    std::vector<std::string> items;
    for (int n = 1; n <= SampleCatalogue::kMeasurable; ++n)
        items.push_back("Muestra " + numberToText(std::int64_t{n}));
    if (!Catalogo.row(SampleCatalogue::kUnknownRow).Tipo.empty()) items.emplace_back("Muestra problema");
    return items;
}

bool BenchModel::useUnknownSample(std::string_view code, std::string& error) {
    const auto parsed = SampleCode::parse(code, error);
    if (!parsed) return false;
    useUnknownRow(unknownSampleRow(deriveUnknownSample(*parsed)), parsed->text());
    return true;
}

void BenchModel::useUnknownRow(const SampleRow& row, const std::string& code) {
    Catalogo.row(SampleCatalogue::kUnknownRow) = row;
    Codigo_Muestra = code;
    // Before start-up the list is still empty; the start-up fills it with this item too.
    if (!widget(WidgetId::Combo_Muestra).items.empty()) setItems(WidgetId::Combo_Muestra, sampleListItems());
}

void BenchModel::Calculo() {
    try {
        if (!Catalogo.valid(Muestra_Sel)) throw ModelFault(ErrorCode::SubscriptOutOfRange);
        computeTransport(Catalogo.row(Muestra_Sel), T_Medida, B_Iman, R_Hall, R_Muestra);
    } catch (const ModelFault& fault) {
        TrataError(fault.code(), faultDescription(fault.code()));
    }
}

void BenchModel::Recalcular_Lectura(bool withCopies) {
    if (Conmutador < 0 || Conmutador > 2) return;
    if (Conmutador == 0) {
        Lectura_Volt = TaggedNumber::int16(0);
    } else {
        Calculo();
        // The Hall reading needs the bar's thickness; an impossible sample number was
        // already reported by Calculo, and leaves the reading as it was.
        if (!Catalogo.valid(Muestra_Sel)) return;
        Lectura_Volt = computeReading(Conmutador, I_Fuente, R_Muestra, R_Hall, B_Iman, Polaridad,
                                      Catalogo.row(Muestra_Sel).Grosor);
    }
    if (Volt_On) setText(WidgetId::Display_Volt, format(Lectura_Volt.value(), kPatternVolt));
    if (!withCopies) return;
    if (Conmutador == 1) {
        Lectura_Ro = Lectura_Volt;
    } else if (Conmutador == 2) {
        if (widget(WidgetId::Bot_Derecha).down && Polaridad == 1) Lectura_EH_Pos = Lectura_Volt;
        if (widget(WidgetId::Bot_Izquierda).down && Polaridad == -1) Lectura_EH_Neg = Lectura_Volt.toSingle();
    }
}

} // namespace eh
