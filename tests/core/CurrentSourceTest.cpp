#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

TEST_F(BenchTest, TenthSube3PressIsAcceptedBelowTheFloatBound) {
    bench.Bot_Fuente_On_Click();
    press(&BenchModel::Sube5_Click, 10);
    EXPECT_EQ(text("Display_Fuente"), "90.000");
    press(&BenchModel::Sube4_Click, 9);
    EXPECT_EQ(text("Display_Fuente"), "99.000");
    press(&BenchModel::Sube3_Click, 9);
    EXPECT_LT(bench.I_Fuente, 99.9f);
    bench.Sube3_Click();
    EXPECT_EQ(text("Display_Fuente"), "100.000");
    EXPECT_LT(bench.I_Fuente, 100.0f);
    const float top = bench.I_Fuente;
    for (auto op : {&BenchModel::Sube1_Click, &BenchModel::Sube2_Click, &BenchModel::Sube3_Click,
                    &BenchModel::Sube4_Click, &BenchModel::Sube5_Click})
        press(op);
    EXPECT_EQ(bench.I_Fuente, top);
}

TEST_F(BenchTest, SwitchingTheSourceOffZeroesCurrentAndReading) {
    bench.Bot_Volt_On_Click();
    bench.Conmuta_Ro_Click();
    bench.Bot_Fuente_On_Click();
    press(&BenchModel::Sube4_Click, 12);
    EXPECT_NEAR(bench.R_Muestra, 123.80, 0.01);
    EXPECT_EQ(text("Display_Volt"), formatPattern(12.0 * bench.R_Muestra / 1000, kPatternVolt, '.'));
    bench.Bot_Fuente_On_Click();
    EXPECT_EQ(bench.I_Fuente, 0.0f);
    EXPECT_EQ(text("Display_Fuente"), "00.000");
    EXPECT_EQ(bench.widget("Display_Fuente").textColor, kTextOff);
    EXPECT_FALSE(bench.widget("Sube1").enabled);
    // The switch-off recomputed the reading with no current flowing.
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    EXPECT_EQ(bench.Lectura_Ro.value(), 0.0);
    bench.Bot_Fuente_On_Click();
    EXPECT_EQ(text("Display_Fuente"), "00.000");
    EXPECT_EQ(bench.widget("Display_Fuente").textColor, kTextOn);
}
