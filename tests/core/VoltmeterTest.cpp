#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

TEST_F(BenchTest, ReadingKeptUpToDateWhileVoltmeterIsOff) {
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    EXPECT_EQ(bench.widget("Display_Volt").textColor, kTextOff);
    EXPECT_NEAR(bench.Lectura_Ro.value(), 0.12380, 5e-6);
    bench.Bot_Volt_On_Click();
    EXPECT_EQ(text("Display_Volt"), "00.12380");
    EXPECT_EQ(bench.widget("Display_Volt").textColor, (Rgb{255, 0, 0}));
    EXPECT_EQ(bench.widget("Led_Volt").fillColor, (Rgb{255, 0, 0}));
    bench.Bot_Volt_On_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    EXPECT_EQ(bench.widget("Led_Volt").fillColor, (Rgb{175, 0, 0}));
}

TEST_F(BenchTest, SwitchBoxIsOneGroupAndFollowsTheButtonDown) {
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(bench.Conmutador, 1);
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
    EXPECT_EQ(text("Display_Volt"), "00.00000");
}

TEST_F(BenchTest, DisplayVoltChainEndsAfterOneNestedRecomputation) {
    bench.Bot_Fuente_On_Click();
    bench.Sube4_Click();
    bench.Bot_Volt_On_Click();
    changes.clear();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(count(WidgetId::Display_Volt), 1);
    EXPECT_EQ(text("Display_Volt"), "00.12380");
}

class CommaLocaleTest : public BenchTest {
protected:
    CommaLocaleTest() : BenchTest(',') {}
};

TEST_F(CommaLocaleTest, PatternsUseTheLocaleSeparatorFixedTextsAPoint) {
    bench.Bot_Fuente_On_Click();
    EXPECT_EQ(text("Display_Fuente"), "00,000");
    bench.Sube4_Click();
    bench.Bot_Volt_On_Click();
    bench.Conmuta_Ro_Click();
    EXPECT_EQ(text("Display_Volt"), "00,12380");
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_T_Medida"), "300,0");
    bench.Bot_Volt_On_Click();
    bench.Bot_Fuente_On_Click();
    bench.Bot_Control_On_Click();
    EXPECT_EQ(text("Display_Volt"), "00.00000");
    EXPECT_EQ(text("Display_Fuente"), "00.000");
    EXPECT_EQ(text("Display_T_Medida"), "000.0");
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    EXPECT_EQ(text("Fija_I_Iman"), "9.99");
    bench.Control_I_Iman_Change(555);
    EXPECT_EQ(text("Fija_I_Iman"), "5,55");
}
