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

namespace {

struct TickRow {
    float t, tc;
    bool controller, cryo;
    double after; // by hand, from P and dT = (P - 500 Crio_On) / 1000 per tick
};

// Just below, at and just above the set point, away from 300 K where the room term
// vanishes. At equality there is no power at all; below it the heater adds 50 even with
// the controller off.
const float kUlpAbove250 = std::nextafter(250.0f, 1000.0f);
const float kUlpBelow250 = std::nextafter(250.0f, 0.0f);
const TickRow kTickRows[] = {
    {250.0f, 250.0f, true, false, 250.0},        // P = 0
    {250.0f, kUlpAbove250, true, false, 250.15}, // P = 100 + 50 + a trace of heater
    {250.0f, kUlpBelow250, true, false, 250.1},  // P = (300 - 250) * 2
    {350.0f, 350.0f, true, false, 350.0},        // P = 0
    {350.0f, 351.0f, true, false, 350.05},       // P = 100 - 100 + 50
    {350.0f, 349.0f, true, false, 349.9},        // P = -100
    {250.0f, 260.0f, false, false, 250.15},      // P = 0 + 100 + 50
    {250.0f, 250.0f, false, true, 249.5},        // P = 0, cooling 500
    {250.0f, 240.0f, false, true, 249.6},        // P = 100, cooling 500
};

} // namespace

TEST(ThermalTick, HeaterBranchAtTheSetPoint) {
    for (const TickRow& row : kTickRows) {
        SCOPED_TRACE(::testing::Message() << "T " << row.t << " Tc " << row.tc << " controller "
                                          << row.controller << " cryo " << row.cryo);
        eh::test::FakeHost host;
        BenchModel bench(host);
        bench.Form_Load();
        bench.Rnd = [] { return 0.5f; };
        if (row.controller) bench.Bot_Control_On_Click();
        bench.Bot_Crio_On_Click(); // starts the tick; a second press takes the cooling away
        if (!row.cryo) bench.Bot_Crio_On_Click();
        bench.T_Medida = row.t;
        bench.T_Consigna = row.tc;
        bench.Timer_Control_Timer();
        EXPECT_NEAR(bench.T_Medida, row.after, 1e-4);
    }
}

TEST_F(BenchTest, NoiseSpansPlusMinusFiftyMillikelvin) {
    bench.Bot_Control_On_Click();
    bench.Rnd = [] { return 0.0f; };
    bench.Timer_Control_Timer();
    EXPECT_FLOAT_EQ(bench.T_Medida, 299.95f);
    bench.T_Medida = 300.0f;
    bench.Rnd = [] { return std::nextafter(1.0f, 0.0f); };
    bench.Timer_Control_Timer();
    EXPECT_FLOAT_EQ(bench.T_Medida, 300.05f);
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
