#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

TEST_F(BenchTest, StartupStateOfFieldsAndWidgets) {
    EXPECT_EQ(bench.Muestra_Sel, 1);
    EXPECT_EQ(bench.R_Muestra, 1.0f);
    EXPECT_EQ(bench.R_Hall, 1.0f);
    EXPECT_EQ(bench.Lectura_Volt, TaggedNumber::int16(0));
    EXPECT_TRUE(bench.Lectura_Ro.empty());
    EXPECT_TRUE(bench.Lectura_EH_Pos.empty());
    EXPECT_EQ(bench.T_Medida, 300.0f);
    EXPECT_EQ(bench.Tau_Iman, 2.0f);
    EXPECT_EQ(bench.Num_Registro, 1);
    EXPECT_EQ(bench.Potencia_Crio, 500.0f);

    const std::vector<std::string> items{"Muestra  1", "Muestra  2"};
    EXPECT_EQ(bench.widget("Combo_Muestra").items, items);
    EXPECT_EQ(text("Combo_Muestra"), "Muestras");
    EXPECT_EQ(bench.widget("Muestra").width, 65);
    for (auto led : {"Led_Iman", "Led_Control", "Led_Volt", "Led_Fuente", "Led_Crio", "Led_Inter"})
        EXPECT_EQ(bench.widget(led).fillColor, kLampOff) << led;
    for (auto grey : {"Fija_I_Iman", "Mide_I_Iman", "Display_Volt"})
        EXPECT_EQ(bench.widget(grey).textColor, kTextOff) << grey;
    for (auto design : {"Display_Fuente", "Display_T_Medida", "Display_T_Consigna", "Medidas"})
        EXPECT_EQ(bench.widget(design).textColor, (Rgb{128, 128, 128})) << design;
    for (auto off : {"Baja1", "Sube5", "BajaT4", "SubeT1", "Acumular", "Reset", "Salvar", "Bot_Izquierda",
                     "Bot_Derecha", "Timer_Control", "Timer_Iman1", "Timer_Iman2"})
        EXPECT_FALSE(bench.widget(off).enabled) << off;
    for (auto on : {"Bot_Fuente_On", "Bot_Volt_On", "Conmuta_Ro", "Conmuta_EH", "Combo_Muestra", "Bot_Inter"})
        EXPECT_TRUE(bench.widget(on).enabled) << on;
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    EXPECT_EQ(text("Medidas"), "000");
    EXPECT_THROW(bench.widget("Display_Nada"), std::out_of_range);
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
    EXPECT_EQ(bench.Muestra_Sel, 2);
    EXPECT_EQ(text("Combo_Muestra"), "Muestra  2");
    EXPECT_EQ(text("Display_Volt"), before);
    bench.Combo_Muestra_Click(5); // no such item
    EXPECT_EQ(bench.Muestra_Sel, 2);
}

TEST_F(BenchTest, ChangeNotificationsOnlyForRealChanges) {
    bench.Bot_Fuente_On_Click();                   // "00.000" again: no text change
    EXPECT_EQ(count(WidgetId::Display_Fuente), 1); // the colour only
    EXPECT_EQ(count(WidgetId::Led_Fuente), 1);
    changes.clear();
    bench.Baja1_Click(); // refused at 0
    EXPECT_TRUE(changes.empty());
}
