#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

namespace {

std::vector<std::string> ticks(eh::BenchModel& bench, void (eh::BenchModel::*tick)(), int n) {
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
    bench.Control_I_Iman_Change(1000);
    EXPECT_EQ(text("Fija_I_Iman"), "9.99");
    EXPECT_EQ(bench.I_Iman_Max, 10.0f);
    bench.Control_I_Iman_Change(999);
    EXPECT_EQ(text("Fija_I_Iman"), "9.99");
    bench.Control_I_Iman_Change(1);
    EXPECT_EQ(text("Fija_I_Iman"), "0.01");
    bench.Control_I_Iman_Change(0);
    EXPECT_EQ(text("Fija_I_Iman"), "0.00");
    EXPECT_TRUE(bench.widget("Bot_Izquierda").enabled);
}

TEST_F(BenchTest, RiseAndFallOfTheCoilCurrent) {
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Bot_Derecha_Click();
    EXPECT_EQ(bench.Polaridad, 1);
    EXPECT_TRUE(bench.widget("Timer_Iman2").enabled);
    const auto rise = ticks(bench, &BenchModel::Timer_Iman2_Timer, 40);
    const std::vector<std::string> first{"0.00", "3.93", "6.32", "7.77", "8.65", "9.18",
                                         "9.50", "9.70", "9.82", "9.89", "9.93"};
    EXPECT_EQ(std::vector<std::string>(rise.begin(), rise.begin() + 11), first);
    EXPECT_EQ(rise[16], "10.00");
    EXPECT_EQ(rise[33], "10.00");
    EXPECT_EQ(rise[34], "9.99");
    EXPECT_EQ(bench.B_Iman, 9000.0f);

    bench.Bot_Derecha_Click(); // release: fall from the full maximum
    const auto fall = ticks(bench, &BenchModel::Timer_Iman2_Timer, 17);
    EXPECT_EQ(fall[0], "9.99");
    EXPECT_EQ(fall[1], "6.07");
    EXPECT_EQ(fall[2], "3.68");
    EXPECT_EQ(fall[15], "0.01");
    EXPECT_EQ(fall[16], "0.00");
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
    EXPECT_EQ(bench.Ticks_Iman, 0);
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.I_Iman, 0.0f);
}

TEST_F(BenchTest, SupplyOffFreezesTheFieldWhichStillEntersTheHallReading) {
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Bot_Derecha_Click();
    ticks(bench, &BenchModel::Timer_Iman2_Timer, 5);
    bench.Bot_Iman_On_Click();
    EXPECT_EQ(text("Mide_I_Iman"), "0.00");
    EXPECT_EQ(bench.widget("Mide_I_Iman").textColor, kTextOff);
    const std::int32_t frozenTicks = bench.Ticks_Iman;
    bench.Timer_Iman2_Timer();
    const float field = bench.B_Iman;
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.B_Iman, field);
    EXPECT_EQ(bench.Ticks_Iman, frozenTicks);
    EXPECT_GT(field, 8000.0f);

    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Conmuta_EH_Click();
    bench.Sube4_Click();
    EXPECT_NE(text("Display_Volt"), "00.00000");
}

TEST_F(BenchTest, TickCounterSaturates) {
    bench.Bot_Iman_On_Click();
    bench.Bot_Derecha_Click();
    bench.Ticks_Iman = INT32_MAX;
    bench.Timer_Iman2_Timer();
    EXPECT_EQ(bench.Ticks_Iman, INT32_MAX);
}

TEST_F(BenchTest, HallCopiesFollowTheRampOnlyWhileVoltmeterIsOn) {
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_EH_Click();
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Bot_Derecha_Click();
    ticks(bench, &BenchModel::Timer_Iman2_Timer, 40);
    EXPECT_TRUE(bench.Lectura_EH_Pos.empty()); // voltmeter off
    bench.Bot_Volt_On_Click();
    EXPECT_EQ(text("Display_Volt"), "-00.02812");
    EXPECT_NEAR(bench.Lectura_EH_Pos.value(), -0.02812, 5e-6);
    EXPECT_EQ(bench.Lectura_EH_Pos.tag(), TaggedNumber::Tag::Double);

    bench.Bot_Izquierda_Click();
    ticks(bench, &BenchModel::Timer_Iman1_Timer, 40);
    EXPECT_EQ(text("Display_Volt"), "00.02812");
    EXPECT_EQ(bench.Lectura_EH_Neg, static_cast<float>(bench.Lectura_Volt.value()));
    EXPECT_NEAR(bench.Lectura_EH_Pos.value(), -0.02812, 5e-6); // untouched by " - "
}

TEST_F(BenchTest, HallCopiesHoldWhileTheFieldFalls) {
    // A released switch lets the field fall; the readings of the fall are shown but are
    // not copies of either polarity, so a record keeps the full-field readings.
    struct Row {
        void (BenchModel::*toggle)();
        void (BenchModel::*tick)();
        const char* full;
    };
    const Row rows[] = {
        {&BenchModel::Bot_Derecha_Click, &BenchModel::Timer_Iman2_Timer, "-00.02812"},
        {&BenchModel::Bot_Izquierda_Click, &BenchModel::Timer_Iman1_Timer, "00.02812"},
    };
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_EH_Click();
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.full);
        (bench.*row.toggle)(); // engage: rise
        ticks(bench, row.tick, 40);
        ASSERT_EQ(text("Display_Volt"), row.full);
        (bench.*row.toggle)(); // release: fall
        ticks(bench, row.tick, 3);
        EXPECT_EQ(text("Mide_I_Iman"), "3.68");
        EXPECT_NE(text("Display_Volt"), row.full);
        bench.Bot_Volt_On_Click(); // off and on again: two recomputations with copies
        bench.Bot_Volt_On_Click();
        EXPECT_NEAR(bench.Lectura_EH_Pos.value(), -0.02812, 5e-6);
        if (row.tick == &BenchModel::Timer_Iman1_Timer) {
            EXPECT_NEAR(bench.Lectura_EH_Neg, 0.02812, 5e-6);
        }
    }
}
