// A whole measurement as a student makes it, through public events only.
#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

TEST_F(BenchTest, TypicalMeasurementFromStartToRecord) {
    bench.Bot_Inter_Click();
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    EXPECT_EQ(text("Display_Fuente"), "01.000");

    bench.Conmuta_EH_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000");

    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Bot_Derecha_Click();
    for (int i = 0; i < 40; ++i) bench.Timer_Iman2_Timer();
    EXPECT_EQ(text("Display_Volt"), "-00.02812");

    bench.Bot_Izquierda_Click();
    for (int i = 0; i < 40; ++i) bench.Timer_Iman1_Timer();
    EXPECT_EQ(text("Display_Volt"), "00.02812");

    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12380"); // no field effect here: magnetoresistance is tiny
    bench.Acumular_Click();
    EXPECT_EQ(text("Medidas"), "001");
    EXPECT_EQ(bench.Reg_Temperatura[1], 300.0f);
    EXPECT_EQ(bench.Reg_Campo[1], 9000.0f);
    EXPECT_EQ(bench.Reg_Intensidad[1], 1.0f);
    EXPECT_NEAR(bench.Reg_VR[1], 0.1238, 5e-5);
    EXPECT_NEAR(bench.Reg_VH_Neg[1], 0.02812, 5e-6);
    EXPECT_NEAR(bench.Reg_VH_Pos[1], -0.02812, 5e-6);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BenchTest, SecondSampleAndACooledMeasurement) {
    bench.Bot_Inter_Click();
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Combo_Muestra_Click(1);
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12510");

    bench.Bot_Crio_On_Click();
    bench.Bot_Control_On_Click();
    press(&BenchModel::BajaT4_Click, 2);
    EXPECT_EQ(text("Display_T_Consigna"), "100.0");
    for (int i = 0; i < 3000; ++i) bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, (100.0 * 100 + 150) / 102, 0.05);
    EXPECT_EQ(text("Display_T_Medida"), formatPattern(bench.T_Medida, kPatternTemp, '.'));
    EXPECT_NE(text("Display_Volt"), "00.12510");
    bench.Acumular_Click();
    EXPECT_NEAR(bench.Reg_Temperatura[1], 99.5, 0.05);
}
