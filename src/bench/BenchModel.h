#pragma once
// The whole laboratory bench, without any window: one method per widget event,
// the state as public fields, and what the window shows as a set of Widgets.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchHost.h"
#include "bench/BenchState.h"
#include "bench/Widget.h"
#include "datafile/RegisterJournal.h"
#include "model/ErrorCode.h"
#include "model/NumberFormat.h"

namespace eh {

class BenchModel : public BenchState {
public:
    explicit BenchModel(BenchHost& host, char decimalSeparator = '.');

    // Start-up: runs once, before the window is shown.
    void Form_Load();

    // Samples
    void Combo_Muestra_Click(int listIndex);

    // The unknown sample a code names (model/UnknownSample.h): it fills the
    // catalogue's free row and the list gains the item "Muestra problema", chosen like
    // any other. Another code replaces it. A code that names no sample is refused
    // with the reason in Spanish in `error`, and nothing changes.
    bool useUnknownSample(std::string_view code, std::string& error);
    // Where the code path puts its row; `code` is the code as shown ("TWSH-3NKM").
    // Tests give it rows of their own to show that the free row is read as any other.
    void useUnknownRow(const SampleRow& row, const std::string& code);

    // Current source
    void Bot_Fuente_On_Click();
    void Sube1_Click();
    void Sube2_Click();
    void Sube3_Click();
    void Sube4_Click();
    void Sube5_Click();
    void Baja1_Click();
    void Baja2_Click();
    void Baja3_Click();
    void Baja4_Click();
    void Baja5_Click();

    // Voltmeter and switch box
    void Bot_Volt_On_Click();
    void Conmuta_Ro_Click();
    void Conmuta_EH_Click();

    // Temperature controller and cryogenerator
    void Bot_Control_On_Click();
    void SubeT1_Click();
    void SubeT2_Click();
    void SubeT3_Click();
    void SubeT4_Click();
    void BajaT1_Click();
    void BajaT2_Click();
    void BajaT3_Click();
    void BajaT4_Click();
    void Timer_Control_Timer();
    void Bot_Crio_On_Click();

    // Electromagnet supply
    void Bot_Iman_On_Click();
    void Control_I_Iman_Change(int position);
    void Bot_Izquierda_Click();
    void Bot_Derecha_Click();
    void Timer_Iman1_Timer();
    void Timer_Iman2_Timer();

    // Measurement interface, register and data file
    void Bot_Inter_Click();
    void Acumular_Click();
    void Reset_Click();
    void Salvar_Click();

    // The model and the reading, as the change handlers run them.
    void Calculo();
    void Recalcular_Lectura(bool withCopies);

    // Observation. `widget(name)` throws std::out_of_range for an unknown name.
    const Widget& widget(std::string_view name) const;
    const Widget& widget(WidgetId id) const { return widgets_[index(id)]; }

    // Called after any property of a widget changed, synchronously, inside the
    // operation that changed it (before the widget's own change handler runs).
    using ChangeListener = std::function<void(WidgetId)>;
    void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

    // Noise source of the thermal tick: uniform in [0, 1). By default a fixed,
    // never-seeded generator, so every run repeats the same sequence.
    std::function<float()> Rnd;

    char decimalSeparator() const { return separator_; }

    // Register queries for the data file.
    int storedRecords() const { return Num_Registro - 1; }
    // True while a record stored since the last successful save (or since the
    // register was emptied) would be lost if the program ended now.
    bool hasUnsavedRecords() const { return unsaved_ && storedRecords() > 0; }
    // The stored records as the data file holds them.
    std::string registerContent() const;
    // The stored records, in order.
    std::vector<RecordValues> storedValues() const;

    // Keeps every stored record, every emptying and every save in `journal` (not
    // owned; null, the default, for none) before the press returns.
    void setJournal(RegisterJournal* journal) { journal_ = journal; }

private:
    static std::size_t index(WidgetId id) { return static_cast<std::size_t>(id); }
    Widget& w(WidgetId id) { return widgets_[index(id)]; }
    bool isEnabled(WidgetId id) const { return widgets_[index(id)].enabled; }

    // Output setters: each notifies only when the value really changes. Readouts
    // with a change handler run it after a real change of text.
    void setText(WidgetId id, std::string text);
    void setTextColor(WidgetId id, Rgb color);
    void setFill(WidgetId id, Rgb color);
    void setEnabled(WidgetId id, bool enabled);
    void setDown(WidgetId id, bool down);
    void setWidth(WidgetId id, int width);
    void setItems(WidgetId id, std::vector<std::string> items);
    void notify(WidgetId id) const;
    void runChangeHandler(WidgetId id);

    std::string format(double value, NumberPattern pattern) const;
    void initDesignState();
    std::vector<std::string> sampleListItems() const;

    // Instruments' shared pieces
    void stepDigit(float& value, float bound, bool up, double step, WidgetId display, NumberPattern pattern);
    void stepCurrent(float bound, bool up, double step);
    void stepSetPoint(float bound, bool up, double step);
    void switchBoxChanged(WidgetId button, std::int16_t position);
    void polaritySwitch(WidgetId own, WidgetId partner, WidgetId ownTimer, WidgetId otherTimer,
                        std::int16_t sign);
    void magnetTick(WidgetId timer, WidgetId sw);
    std::string textIman(float current) const;
    std::string textImanSlider(int position) const;

    // Register and data file
    void SalvaFichero();
    void TrataError(ErrorCode code, const std::string& description);

    BenchHost& host_;
    char separator_;
    std::array<Widget, kWidgetCount> widgets_{};
    ChangeListener listener_;
    bool channelOpen_ = false;
    bool unsaved_ = false;
    RegisterJournal* journal_ = nullptr;
};

} // namespace eh
