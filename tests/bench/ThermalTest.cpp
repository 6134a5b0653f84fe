// The temperature controller and the cryogenerator: one 120 ms tick at a time.
#include <cmath>

#include "CoreSupport.h"

using namespace eh;
using eh::test::BenchTest;

// One tick from T towards the set point Tc, by hand from the heater's power P (only
// below the set point, and 50 there even with the controller off), the room at 300 K
// and dT = (P - 500 Crio_On) / 1000. Just below, at and just above the set point, away
// from 300 K where the room term vanishes; at equality there is no power at all.
TEST(ThermalTick, HeaterBranchAtTheSetPoint) {
    struct Row {
        float t, tc;
        bool controller, cryo;
        float noise; // Rnd(): 0.5 adds nothing, the ends of [0, 1) add -50 and +50 mK
        double after;
    };
    const float above250 = std::nextafter(250.0f, 1000.0f), below250 = std::nextafter(250.0f, 0.0f);
    const float top = std::nextafter(1.0f, 0.0f);
    // clang-format off
    const Row rows[] = {
        {250.0f, 250.0f,   true,  false, 0.5f, 250.0},   // P = 0
        {250.0f, above250, true,  false, 0.5f, 250.15},  // P = 100 + 50 + a trace of heater
        {250.0f, below250, true,  false, 0.5f, 250.1},   // P = (300 - 250) * 2
        {350.0f, 350.0f,   true,  false, 0.5f, 350.0},   // P = 0
        {350.0f, 351.0f,   true,  false, 0.5f, 350.05},  // P = 100 - 100 + 50
        {350.0f, 349.0f,   true,  false, 0.5f, 349.9},   // P = -100
        {250.0f, 260.0f,   false, false, 0.5f, 250.15},  // P = 0 + 100 + 50
        {250.0f, 250.0f,   false, true,  0.5f, 249.5},   // P = 0, cooling 500
        {250.0f, 240.0f,   false, true,  0.5f, 249.6},   // P = 100, cooling 500
        {300.0f, 300.0f,   false, true,  0.5f, 299.5},   // the first tick of the cryogenerator
        {299.5f, 300.0f,   false, true,  0.5f, 299.051}, // P = 1 + 50, cooling 500
        {300.0f, 310.0f,   true,  false, 0.5f, 301.05},  // P = 1000 + 50
        {300.0f, 300.0f,   true,  false, 0.0f, 299.95},
        {300.0f, 300.0f,   true,  false, top,  300.05},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "T " << row.t << " Tc " << row.tc << " controller " << row.controller << " cryo "
                     << row.cryo << " noise " << row.noise);
        eh::test::FakeHost host;
        BenchModel bench(host);
        bench.Form_Load();
        bench.Rnd = [&] { return row.noise; };
        if (row.controller) bench.Bot_Control_On_Click();
        bench.Bot_Crio_On_Click(); // starts the tick; a second press takes the cooling away
        if (!row.cryo) bench.Bot_Crio_On_Click();
        bench.T_Medida = row.t;
        bench.T_Consigna = row.tc;
        bench.Timer_Control_Timer();
        EXPECT_NEAR(bench.T_Medida, row.after, 1e-4);
    }
}

TEST_F(BenchTest, RegulationTimerStartsAndStopsWithTheInstruments) {
    bench.Bot_Control_On_Click();
    EXPECT_TRUE(bench.widget("Timer_Control").enabled);
    bench.Bot_Control_On_Click();
    EXPECT_FALSE(bench.widget("Timer_Control").enabled);
    bench.Bot_Crio_On_Click();
    bench.Bot_Crio_On_Click(); // off again: the sample drifts back
    EXPECT_TRUE(bench.widget("Timer_Control").enabled);
    bench.Bot_Control_On_Click();
    bench.Bot_Control_On_Click();
    EXPECT_FALSE(bench.widget("Timer_Control").enabled);
}

// Sample 2 cooled by the cryogenerator alone to 75 K, where 2 (300 - T) = 450, then held
// by the controller at a set point of 100 K, where heater, room and cryogenerator
// balance: 100 (100 - T) + 2 (300 - T) + 50 = 500 at 99.5 K.
TEST_F(BenchTest, SecondSampleCooledAndHeldBelowTheRoom) {
    bench.Bot_Inter_Click();
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Combo_Muestra_Click(1);
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12510");
    bench.Bot_Crio_On_Click();
    for (int i = 0; i < 8000; ++i) bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, 75.0, 0.01);
    // With the controller off the tick refreshes neither display.
    EXPECT_EQ(text("Display_T_Medida"), "000.0");
    EXPECT_EQ(text("Display_Volt"), "00.12510");
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_T_Medida"), "075.0");
    EXPECT_NE(text("Display_Volt"), "00.12510"); // recomputed at 75 K
    press(&BenchModel::BajaT4_Click, 2);
    EXPECT_EQ(text("Display_T_Consigna"), "100.0");
    for (int i = 0; i < 3000; ++i) bench.Timer_Control_Timer();
    EXPECT_NEAR(bench.T_Medida, (100.0 * 100 + 150) / 102, 0.05);
    EXPECT_EQ(text("Display_T_Medida"), "099.5");
    bench.Acumular_Click();
    EXPECT_NEAR(bench.Reg_Temperatura[1], 99.5, 0.05);
}
