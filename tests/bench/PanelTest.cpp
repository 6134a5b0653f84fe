// The front panel: what it shows at the start, the digit buttons of the current source
// and the set point, the voltmeter and its switch box, and the measurement interface
// with its register of 100 records.
#include "CoreSupport.h"

using namespace eh;
using eh::test::BenchTest;
using B = BenchModel;

TEST_F(BenchTest, WhatTheWindowShowsAtStartup) {
    const Rgb designGrey{128, 128, 128}, offGrey{125, 125, 125};
    const std::tuple<const char*, const char*, Rgb> readouts[] = {
        {"Display_Fuente", "00.000", designGrey},
        {"Display_Volt", "00.00000", offGrey},
        {"Display_T_Medida", "000.0", designGrey},
        {"Display_T_Consigna", "000.0", designGrey},
        {"Fija_I_Iman", "0.00", offGrey},
        {"Mide_I_Iman", "0.00", offGrey},
        {"Medidas", "000", designGrey},
    };
    for (const auto& [name, shown, color] : readouts) {
        EXPECT_EQ(text(name), shown) << name;
        EXPECT_EQ(bench.widget(name).textColor, color) << name;
    }
    for (auto lamp : {"Led_Iman", "Led_Control", "Led_Volt", "Led_Fuente", "Led_Crio", "Led_Inter"})
        EXPECT_EQ(bench.widget(lamp).fillColor, (Rgb{175, 0, 0})) << lamp;
    EXPECT_EQ(bench.widget("Combo_Muestra").items, (std::vector<std::string>{"Muestra  1", "Muestra  2"}));
    EXPECT_EQ(text("Combo_Muestra"), "Muestras");
    for (auto off :
         {"Baja1",  "Baja2",  "Baja3",    "Baja4",  "Baja5",  "Sube1",         "Sube2",      "Sube3",
          "Sube4",  "Sube5",  "BajaT1",   "BajaT2", "BajaT3", "BajaT4",        "SubeT1",     "SubeT2",
          "SubeT3", "SubeT4", "Acumular", "Reset",  "Salvar", "Bot_Izquierda", "Bot_Derecha"})
        EXPECT_FALSE(bench.widget(off).enabled) << off;
    EXPECT_THROW(bench.widget("Display_Nada"), std::out_of_range); // a misspelt name is no widget
    // Disabled controls and stopped timers ignore clicks and ticks.
    for (auto op : {&B::Sube5_Click, &B::SubeT4_Click, &B::Bot_Derecha_Click, &B::Acumular_Click,
                    &B::Salvar_Click, &B::Timer_Control_Timer, &B::Timer_Iman2_Timer})
        press(op);
    EXPECT_EQ(bench.T_Medida, 300.0f);
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(changes.empty());
}

// The eighteen digit buttons of the source current and the set point, each pressed just
// inside its bound and exactly at it. Every bound is strict and compared in single
// precision: at the bound the press is refused whole, one displayed unit inside it the
// step is taken. Start values are the single-precision values of the decimals written.
namespace {

struct StepRow {
    const char* button;
    void (BenchModel::*press)();
    float BenchModel::*value;
    const char* display;
    float inside;
    const char* shown; // the display after the press from `inside`
    float at;          // refused from here
};

constexpr auto I = &B::I_Fuente;
constexpr auto T = &B::T_Consigna;
constexpr const char* F = "Display_Fuente";
constexpr const char* C = "Display_T_Consigna";
// clang-format off
const StepRow kRows[] = {
    {"Sube1",  &B::Sube1_Click,  I, F, 99.998f, "99.999", 99.999f},
    {"Sube2",  &B::Sube2_Click,  I, F, 99.98f,  "99.990", 99.99f},
    {"Sube3",  &B::Sube3_Click,  I, F, 99.8f,   "99.900", 99.9f},
    {"Sube4",  &B::Sube4_Click,  I, F, 98.999f, "99.999", 99.0f},
    {"Sube5",  &B::Sube5_Click,  I, F, 89.999f, "99.999", 90.0f},
    {"Baja1",  &B::Baja1_Click,  I, F, 0.002f,  "00.001", 0.001f},
    {"Baja2",  &B::Baja2_Click,  I, F, 0.011f,  "00.001", 0.01f},
    {"Baja3",  &B::Baja3_Click,  I, F, 0.101f,  "00.001", 0.1f},
    {"Baja4",  &B::Baja4_Click,  I, F, 1.001f,  "00.001", 1.0f},
    {"Baja5",  &B::Baja5_Click,  I, F, 10.001f, "00.001", 10.0f},
    {"SubeT1", &B::SubeT1_Click, T, C, 762.8f,  "762.9",  762.9f},
    {"SubeT2", &B::SubeT2_Click, T, C, 761.9f,  "762.9",  762.0f},
    {"SubeT3", &B::SubeT3_Click, T, C, 762.9f,  "772.9",  763.0f},
    {"SubeT4", &B::SubeT4_Click, T, C, 672.9f,  "772.9",  673.0f},
    {"BajaT1", &B::BajaT1_Click, T, C, 0.2f,    "000.1",  0.1f},
    {"BajaT2", &B::BajaT2_Click, T, C, 1.1f,    "000.1",  1.0f},
    {"BajaT3", &B::BajaT3_Click, T, C, 10.1f,   "000.1",  10.0f},
    {"BajaT4", &B::BajaT4_Click, T, C, 100.1f,  "000.1",  100.0f},
};
// clang-format on

} // namespace

TEST_F(BenchTest, EveryDigitButtonStepsJustInsideItsBoundAndNotAtIt) {
    bench.Bot_Fuente_On_Click();
    bench.Bot_Control_On_Click();
    for (const StepRow& row : kRows) {
        SCOPED_TRACE(row.button);
        bench.*row.value = row.inside;
        (bench.*row.press)();
        EXPECT_EQ(text(row.display), row.shown);
        EXPECT_NEAR(bench.*row.value, std::stod(row.shown), 5e-4);
        bench.*row.value = row.at;
        const std::string before = text(row.display);
        (bench.*row.press)();
        EXPECT_EQ(bench.*row.value, row.at);
        EXPECT_EQ(text(row.display), before);
    }
}

// Ten presses of the 0.1 mA digit from 99 mA stay below the single 99.9 in single
// precision: the tenth is still taken, and the display reaches 100.000.
TEST_F(BenchTest, AccumulatedPressesCanPassTheShownBound) {
    bench.Bot_Fuente_On_Click();
    press(&B::Sube5_Click, 10);
    EXPECT_EQ(text("Display_Fuente"), "90.000");
    press(&B::Sube4_Click, 9);
    press(&B::Sube3_Click, 10);
    EXPECT_EQ(text("Display_Fuente"), "100.000");
    const float top = bench.I_Fuente;
    for (auto op : {&B::Sube1_Click, &B::Sube2_Click, &B::Sube3_Click, &B::Sube4_Click, &B::Sube5_Click})
        press(op);
    EXPECT_EQ(bench.I_Fuente, top);
}

TEST_F(BenchTest, ChoosingASampleRecomputesNothing) {
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_Ro_Click();
    bench.Combo_Muestra_Click(1);
    EXPECT_EQ(text("Combo_Muestra"), "Muestra  2");
    EXPECT_EQ(text("Display_Volt"), "00.12380"); // still sample 1
    bench.Sube4_Click();                         // the next recomputation reads sample 2
    EXPECT_EQ(text("Display_Volt"), "00.25019");
    bench.Combo_Muestra_Click(5); // no such item
    EXPECT_EQ(text("Combo_Muestra"), "Muestra  2");
}

TEST_F(BenchTest, SwitchBoxIsOneGroupAndFollowsTheButtonDown) {
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Bot_Volt_On_Click();
    changes.clear();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(bench.Conmutador, 1);
    EXPECT_EQ(bench.Lectura_Volt.tag(), TaggedNumber::Tag::Single);
    // The display's change recomputes once more, and that ends the chain.
    EXPECT_EQ(std::count(changes.begin(), changes.end(), WidgetId::Display_Volt), 1);
    bench.Conmuta_EH_Click();
    EXPECT_EQ(bench.Conmutador, 2);
    EXPECT_FALSE(bench.widget("Conmuta_Ro").down);
    EXPECT_TRUE(bench.widget("Conmuta_EH").down);
    EXPECT_EQ(bench.Lectura_Volt.tag(), TaggedNumber::Tag::Double);
    EXPECT_EQ(text("Display_Volt"), "00.00000"); // no field, no polarity
    bench.Conmuta_EH_Click();
    EXPECT_EQ(bench.Conmutador, 0);
    EXPECT_EQ(bench.Lectura_Volt, TaggedNumber::int16(0));
    EXPECT_FALSE(bench.widget("Conmuta_EH").down);
}

class CommaLocaleTest : public BenchTest {
protected:
    CommaLocaleTest() : BenchTest(',') {}
};

// The reading is kept up to date while the voltmeter is off and shown at switch-on; a
// switched-off source drives no current. Patterns use the locale's separator, the fixed
// texts of switched-off displays a point.
TEST_F(CommaLocaleTest, SourceVoltmeterAndControllerOnAndOff) {
    bench.Bot_Fuente_On_Click();
    EXPECT_EQ(text("Display_Fuente"), "00,000");
    press(&B::Sube4_Click, 12);
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    bench.Bot_Volt_On_Click();
    EXPECT_EQ(text("Display_Volt"), "01,48559"); // 12 mA through sample 1 at 300 K
    EXPECT_EQ(bench.widget("Display_Volt").textColor, (Rgb{255, 0, 0}));
    EXPECT_EQ(bench.widget("Led_Volt").fillColor, (Rgb{255, 0, 0}));
    bench.Bot_Fuente_On_Click();
    EXPECT_EQ(bench.I_Fuente, 0.0f);
    EXPECT_EQ(text("Display_Fuente"), "00.000");
    EXPECT_EQ(bench.widget("Display_Fuente").textColor, (Rgb{125, 125, 125}));
    EXPECT_FALSE(bench.widget("Sube1").enabled);
    EXPECT_EQ(text("Display_Volt"), "00,00000"); // recomputed with no current flowing
    bench.Bot_Fuente_On_Click();
    EXPECT_EQ(text("Display_Fuente"), "00,000");
    EXPECT_EQ(bench.widget("Display_Fuente").textColor, (Rgb{255, 0, 0}));
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_T_Medida"), "300,0");
    bench.Bot_Volt_On_Click();
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    EXPECT_EQ(bench.widget("Led_Volt").fillColor, (Rgb{175, 0, 0}));
    EXPECT_EQ(text("Display_T_Medida"), "000.0");
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    EXPECT_EQ(text("Fija_I_Iman"), "9.99");
    bench.Control_I_Iman_Change(555);
    EXPECT_EQ(text("Fija_I_Iman"), "5,55");
}

TEST_F(BenchTest, InterfaceSwitchShowsTheStoredCountOfAtMost100) {
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "000");
    EXPECT_EQ(bench.widget("Medidas").textColor, (Rgb{255, 0, 0}));
    EXPECT_TRUE(bench.widget("Salvar").enabled);
    press(&BenchModel::Acumular_Click, 5);
    EXPECT_EQ(text("Medidas"), "005");
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "000");
    EXPECT_EQ(bench.widget("Medidas").textColor, (Rgb{125, 125, 125}));
    EXPECT_FALSE(bench.widget("Acumular").enabled);
    bench.Acumular_Click();
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "005");
    bench.Reset_Click();
    EXPECT_EQ(text("Medidas"), "000");
    press(&BenchModel::Acumular_Click, 100);
    EXPECT_EQ(text("Medidas"), "100");
    bench.T_Medida = 123.0f;
    bench.Acumular_Click(); // a full register refuses the record
    EXPECT_EQ(text("Medidas"), "100");
    EXPECT_EQ(bench.Reg_Temperatura[100], 300.0f);
}

// The record stores the field of the magnet's limit, with the supply on or off.
TEST_F(BenchTest, RecordHoldsTheNominalField) {
    bench.Bot_Inter_Click();
    bench.Control_I_Iman_Change(999);
    bench.Bot_Iman_On_Click();
    bench.Bot_Iman_On_Click(); // off again: the limit stays
    bench.Acumular_Click();
    EXPECT_FLOAT_EQ(bench.Reg_Campo[1], 8991.999f); // 1000 I - 10 I^2 gauss at 9.99 A
}
