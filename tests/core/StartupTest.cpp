// The bench as a student finds it when the window opens, and the first readings it gives.
#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

namespace {

struct ReadoutRow {
    const char* name;
    const char* text;
    Rgb color;
};

const Rgb kDesignGrey{128, 128, 128}, kOffGrey{125, 125, 125};
const ReadoutRow kReadouts[] = {
    {"Display_Fuente", "00.000", kDesignGrey},
    {"Display_Volt", "00.00000", kOffGrey},
    {"Display_T_Medida", "000.0", kDesignGrey},
    {"Display_T_Consigna", "000.0", kDesignGrey},
    {"Fija_I_Iman", "0.00", kOffGrey},
    {"Mide_I_Iman", "0.00", kOffGrey},
    {"Medidas", "000", kDesignGrey},
};

} // namespace

TEST_F(BenchTest, WhatTheWindowShowsAtStartup) {
    for (const ReadoutRow& row : kReadouts) {
        EXPECT_EQ(text(row.name), row.text) << row.name;
        EXPECT_EQ(bench.widget(row.name).textColor, row.color) << row.name;
    }
    for (auto lamp : {"Led_Iman", "Led_Control", "Led_Volt", "Led_Fuente", "Led_Crio", "Led_Inter"})
        EXPECT_EQ(bench.widget(lamp).fillColor, (Rgb{175, 0, 0})) << lamp;

    const std::vector<std::string> items{"Muestra  1", "Muestra  2"};
    EXPECT_EQ(bench.widget("Combo_Muestra").items, items);
    EXPECT_EQ(text("Combo_Muestra"), "Muestras");
    EXPECT_EQ(bench.widget("Muestra").width, 65);

    for (auto off :
         {"Baja1",  "Baja2",  "Baja3",    "Baja4",  "Baja5",  "Sube1",         "Sube2",      "Sube3",
          "Sube4",  "Sube5",  "BajaT1",   "BajaT2", "BajaT3", "BajaT4",        "SubeT1",     "SubeT2",
          "SubeT3", "SubeT4", "Acumular", "Reset",  "Salvar", "Bot_Izquierda", "Bot_Derecha"})
        EXPECT_FALSE(bench.widget(off).enabled) << off;
    for (auto on : {"Bot_Fuente_On", "Bot_Volt_On", "Bot_Control_On", "Bot_Crio_On", "Bot_Iman_On",
                    "Bot_Inter", "Conmuta_Ro", "Conmuta_EH", "Combo_Muestra", "Control_I_Iman"})
        EXPECT_TRUE(bench.widget(on).enabled) << on;
    EXPECT_THROW(bench.widget("Display_Nada"), std::out_of_range); // a misspelt name is no widget
}

TEST_F(BenchTest, FirstReadingsAreOfSampleOneAtRoomTemperatureWithoutField) {
    bench.Bot_Volt_On_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000"); // nothing computed yet
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12380"); // sample 2 would read 00.12510
    bench.Conmuta_EH_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000"); // no field, no polarity chosen
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_T_Medida"), "300.0");
    EXPECT_EQ(text("Display_T_Consigna"), "300.0");
    bench.Bot_Iman_On_Click();
    EXPECT_EQ(text("Fija_I_Iman"), "0.00");
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "000");
}

TEST_F(BenchTest, DisabledControlsIgnoreClicksAndTicks) {
    bench.Sube5_Click();
    bench.SubeT4_Click();
    bench.Bot_Derecha_Click();
    bench.Acumular_Click();
    bench.Salvar_Click();
    bench.Timer_Control_Timer();
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.I_Fuente, 0.0f);
    EXPECT_EQ(bench.T_Consigna, 300.0f);
    EXPECT_EQ(bench.T_Medida, 300.0f);
    EXPECT_FALSE(bench.widget("Bot_Derecha").down);
    EXPECT_EQ(bench.Polaridad, 0);
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(changes.empty());
}

TEST_F(BenchTest, ChoosingASampleRecomputesNothing) {
    bench.Bot_Volt_On_Click();
    bench.Conmuta_Ro_Click();
    const std::string before = text("Display_Volt");
    bench.Combo_Muestra_Click(1);
    EXPECT_EQ(text("Combo_Muestra"), "Muestra  2");
    EXPECT_EQ(text("Display_Volt"), before);
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12510");
    bench.Combo_Muestra_Click(5); // no such item
    EXPECT_EQ(text("Combo_Muestra"), "Muestra  2");
}
