#include <cmath>

#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

TEST_F(BenchTest, CoolingTicksWithNoNoise) {
    bench.Bot_Crio_On_Click();
    EXPECT_TRUE(bench.widget("Timer_Control").enabled);
    std::vector<double> seen;
    for (int i = 0; i < 4; ++i) {
        bench.Timer_Control_Timer();
        seen.push_back(bench.T_Medida);
    }
    EXPECT_NEAR(seen[0], 299.5, 1e-4);
    EXPECT_NEAR(seen[1], 299.051, 5e-4);
    EXPECT_NEAR(seen[2], 298.603, 5e-4);
    EXPECT_NEAR(seen[3], 298.156, 5e-4);
    EXPECT_EQ(text("Display_T_Medida"), "000.0"); // controller off: nothing shown
}

TEST_F(BenchTest, HeatingTowardsSetPointAndDisplayFollows) {
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_T_Medida"), "300.0");
    EXPECT_EQ(text("Display_T_Consigna"), "300.0");
    bench.SubeT3_Click();
    EXPECT_EQ(text("Display_T_Consigna"), "310.0");
    bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, 301.050, 5e-4);
    bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, 301.993, 5e-4);
    bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, 302.840, 5e-4);
    EXPECT_EQ(text("Display_T_Medida"), "302.8");
}

TEST_F(BenchTest, EqualTemperaturesGiveNoPowerAndNoiseIsBounded) {
    bench.Bot_Control_On_Click();
    bench.Rnd = [] { return 0.0f; };
    bench.Timer_Control_Timer();
    EXPECT_FLOAT_EQ(bench.T_Medida, 299.95f);
    bench.T_Medida = 300.0f;
    bench.Rnd = [] { return std::nextafter(1.0f, 0.0f); };
    bench.Timer_Control_Timer();
    EXPECT_FLOAT_EQ(bench.T_Medida, 300.05f);
}

TEST_F(BenchTest, SetPointBounds) {
    bench.Bot_Control_On_Click();
    bench.T_Consigna = 673.0f;
    bench.SubeT4_Click();
    EXPECT_EQ(bench.T_Consigna, 673.0f);
    bench.T_Consigna = 672.9f;
    bench.SubeT4_Click();
    EXPECT_EQ(text("Display_T_Consigna"), "772.9");
    bench.T_Consigna = 762.9f;
    bench.SubeT1_Click();
    EXPECT_EQ(bench.T_Consigna, 762.9f);
    bench.T_Consigna = 100.0f;
    bench.BajaT4_Click();
    EXPECT_EQ(bench.T_Consigna, 100.0f);
    bench.T_Consigna = 0.1f;
    bench.BajaT1_Click();
    EXPECT_EQ(bench.T_Consigna, 0.1f);
}

TEST_F(BenchTest, RegulationTimerStartsAndStopsWithTheInstruments) {
    bench.Bot_Control_On_Click();
    EXPECT_TRUE(bench.widget("Timer_Control").enabled);
    bench.Bot_Control_On_Click();
    EXPECT_FALSE(bench.widget("Timer_Control").enabled);
    EXPECT_EQ(text("Display_T_Medida"), "000.0");
    bench.Bot_Crio_On_Click();
    bench.Bot_Crio_On_Click(); // off again: the sample drifts back
    EXPECT_TRUE(bench.widget("Timer_Control").enabled);
    EXPECT_EQ(bench.Crio_On, 0);
    bench.Bot_Control_On_Click();
    bench.Bot_Control_On_Click();
    EXPECT_FALSE(bench.widget("Timer_Control").enabled);
}

TEST_F(BenchTest, CryogeneratorSettlesAt75KAndControllerShowsIt) {
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12380");
    bench.Bot_Crio_On_Click();
    for (int i = 0; i < 8000; ++i) bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, 75.0, 0.01);
    // With the controller off the tick refreshes neither display.
    EXPECT_EQ(text("Display_T_Medida"), "000.0");
    EXPECT_EQ(text("Display_Volt"), "00.12380");
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_T_Medida"), "075.0");
    EXPECT_NE(text("Display_Volt"), "00.12380"); // recomputed at 75 K
}
