// The electromagnet, and a whole Hall measurement as a student makes it.
#include <climits>

#include "CoreSupport.h"

using namespace eh;
using eh::test::BenchTest;

namespace {

std::vector<std::string> ticks(BenchModel& bench, void (BenchModel::*tick)(), int n) {
    std::vector<std::string> shown;
    for (int i = 0; i < n; ++i) {
        (bench.*tick)();
        shown.push_back(bench.widget("Mide_I_Iman").text);
    }
    return shown;
}

} // namespace

TEST_F(BenchTest, SliderTextsAndCurrentLimit) {
    bench.Control_I_Iman_Change(500); // supply off: taken at switch-on
    EXPECT_EQ(text("Fija_I_Iman"), "0.00");
    bench.Bot_Iman_On_Click();
    EXPECT_EQ(text("Fija_I_Iman"), "5.00");
    EXPECT_EQ(bench.I_Iman_Max, 5.0f);
    const std::tuple<int, const char*, float> rows[] = {
        {1000, "9.99", 10.0f}, {999, "9.99", 9.99f}, {1, "0.01", 0.01f}, {0, "0.00", 0.0f}};
    for (const auto& [position, shown, limit] : rows) {
        bench.Control_I_Iman_Change(position);
        EXPECT_EQ(text("Fija_I_Iman"), shown) << position;
        EXPECT_EQ(bench.I_Iman_Max, limit) << position;
    }
}

// The coil current rises as 1 - exp(-n / 2) towards its limit and falls as exp(-n / 2)
// from it, one step a tick; an exact 10 A is shown as 9.99.
TEST_F(BenchTest, RiseAndFallOfTheCoilCurrent) {
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Bot_Derecha_Click();
    EXPECT_EQ(bench.Polaridad, 1);
    const auto rise = ticks(bench, &BenchModel::Timer_Iman2_Timer, 40);
    const std::vector<std::string> first{"0.00", "3.93", "6.32", "7.77", "8.65", "9.18",
                                         "9.50", "9.70", "9.82", "9.89", "9.93"};
    EXPECT_EQ(std::vector<std::string>(rise.begin(), rise.begin() + 11), first);
    EXPECT_EQ(rise[16], "10.00");
    EXPECT_EQ(rise[33], "10.00");
    EXPECT_EQ(rise[34], "9.99");
    EXPECT_EQ(bench.B_Iman, 9000.0f); // 1000 I - 10 I^2 gauss
    bench.Bot_Derecha_Click();        // release: fall from the full maximum
    const auto fall = ticks(bench, &BenchModel::Timer_Iman2_Timer, 17);
    EXPECT_EQ((std::vector<std::string>{fall[0], fall[1], fall[2], fall[15], fall[16]}),
              (std::vector<std::string>{"9.99", "6.07", "3.68", "0.01", "0.00"}));
}

TEST_F(BenchTest, OtherPolarityRestartsTheRampAndSwapsTimers) {
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(500);
    bench.Bot_Izquierda_Click();
    ticks(bench, &BenchModel::Timer_Iman1_Timer, 5);
    bench.Bot_Derecha_Click();
    EXPECT_FALSE(bench.widget("Bot_Izquierda").down);
    EXPECT_FALSE(bench.widget("Timer_Iman1").enabled);
    EXPECT_TRUE(bench.widget("Timer_Iman2").enabled);
    EXPECT_EQ(bench.Polaridad, 1);
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.I_Iman, 0.0f);
    bench.Ticks_Iman = INT32_MAX; // the tick counter saturates
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.Ticks_Iman, INT32_MAX);
}

TEST_F(BenchTest, SupplyOffFreezesTheFieldWhichStillEntersTheHallReading) {
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Bot_Derecha_Click();
    ticks(bench, &BenchModel::Timer_Iman2_Timer, 5);
    bench.Bot_Iman_On_Click();
    EXPECT_EQ(text("Mide_I_Iman"), "0.00");
    EXPECT_EQ(bench.widget("Mide_I_Iman").textColor, (Rgb{125, 125, 125}));
    bench.Timer_Iman2_Timer();
    const float field = bench.B_Iman;
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.B_Iman, field);
    EXPECT_GT(field, 8000.0f);
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Conmuta_EH_Click();
    bench.Sube4_Click();
    EXPECT_NE(text("Display_Volt"), "00.00000");
}

// Both polarities at full field, each followed by a fall of the field. The readings of
// a fall are shown but are copies of neither polarity, so the record keeps the
// full-field readings; and no copy is taken while the voltmeter is off.
TEST_F(BenchTest, TypicalMeasurementKeepsTheFullFieldHallReadings) {
    bench.Bot_Inter_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_EH_Click();
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    struct Row {
        void (BenchModel::*toggle)();
        void (BenchModel::*tick)();
        const char* full;
    };
    const Row rows[] = {
        {&BenchModel::Bot_Derecha_Click, &BenchModel::Timer_Iman2_Timer, "-00.02812"},
        {&BenchModel::Bot_Izquierda_Click, &BenchModel::Timer_Iman1_Timer, "00.02812"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.full);
        (bench.*row.toggle)(); // engage: rise
        ticks(bench, row.tick, 40);
        if (&row == rows) {
            EXPECT_TRUE(bench.Lectura_EH_Pos.empty());
            bench.Bot_Volt_On_Click();
            EXPECT_EQ(bench.Lectura_EH_Pos.tag(), TaggedNumber::Tag::Double);
        }
        EXPECT_EQ(text("Display_Volt"), row.full);
        (bench.*row.toggle)(); // release: fall
        ticks(bench, row.tick, 3);
        EXPECT_EQ(text("Mide_I_Iman"), "3.68");
        EXPECT_NE(text("Display_Volt"), row.full);
        bench.Bot_Volt_On_Click(); // off and on again: two recomputations with copies
        bench.Bot_Volt_On_Click();
    }
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12380"); // the field barely changes the resistance
    bench.Acumular_Click();
    EXPECT_EQ(text("Medidas"), "001");
    EXPECT_EQ(bench.Reg_Temperatura[1], 300.0f);
    EXPECT_EQ(bench.Reg_Campo[1], 9000.0f); // the limit's field, not the fallen one
    EXPECT_EQ(bench.Reg_Intensidad[1], 1.0f);
    EXPECT_NEAR(bench.Reg_VR[1], 0.1238, 5e-5);
    EXPECT_NEAR(bench.Reg_VH_Neg[1], 0.02812, 5e-6);
    EXPECT_NEAR(bench.Reg_VH_Pos[1], -0.02812, 5e-6);
    EXPECT_TRUE(host.messages.empty());
}
