// The monkey's judge must itself be able to fail: a sound bench passes, a bench whose
// fields and widgets disagree does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "BenchInvariants.h"
#include "ReadoutPattern.h"

namespace eh::soak {
namespace {

TEST(ReadoutShape, AcceptsOnlyTheDigitsOfItsPattern) {
    const ReadoutShape volt{2, 4, 5, true};
    EXPECT_TRUE(hasShape("00.00000", volt, '.'));
    EXPECT_TRUE(hasShape("-00.02812", volt, '.'));
    EXPECT_TRUE(hasShape("123.45678", volt, '.'));
    EXPECT_FALSE(hasShape("0.02812", volt, '.'));
    EXPECT_FALSE(hasShape("00.0281", volt, '.'));
    EXPECT_FALSE(hasShape("00.028120", volt, '.'));
    EXPECT_FALSE(hasShape("00,02812", volt, '.'));
    EXPECT_TRUE(hasShape("00,02812", volt, ','));
    EXPECT_FALSE(hasShape("--00.02812", volt, '.'));
    EXPECT_FALSE(hasShape("", volt, '.'));

    const ReadoutShape count{3, 3, 0, false};
    EXPECT_TRUE(hasShape("042", count, '.'));
    EXPECT_FALSE(hasShape("42", count, '.'));
    EXPECT_FALSE(hasShape("-042", count, '.'));
    EXPECT_FALSE(hasShape("042.", count, '.'));
}

class NullHost : public BenchHost {
public:
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void setBusyPointer(bool) override {}
};

class CheckerTest : public ::testing::Test {
protected:
    CheckerTest() : bench(host, ',') { bench.Form_Load(); }

    void switchEverythingOn() {
        bench.Bot_Fuente_On_Click();
        bench.Sube4_Click();
        bench.Bot_Volt_On_Click();
        bench.Conmuta_EH_Click();
        bench.Bot_Control_On_Click();
        bench.Bot_Crio_On_Click();
        bench.Bot_Iman_On_Click();
        bench.Control_I_Iman_Change(750);
        bench.Bot_Derecha_Click();
        for (int i = 0; i < 30; ++i) {
            bench.Timer_Iman2_Timer();
            bench.Timer_Control_Timer();
        }
        bench.Bot_Inter_Click();
        bench.Acumular_Click();
    }

    NullHost host;
    BenchModel bench;
};

TEST_F(CheckerTest, StartedAndRunningBenchesAreSound) {
    EXPECT_EQ(benchViolations(bench), std::vector<std::string>{});
    switchEverythingOn();
    EXPECT_EQ(bench.widget("Display_Fuente").text, "01,000");
    EXPECT_EQ(benchViolations(bench), std::vector<std::string>{});
}

TEST_F(CheckerTest, ReportsValuesOutOfRange) {
    bench.I_Fuente = 100.0f;
    bench.T_Medida = std::nanf("");
    bench.Num_Registro = 102;
    EXPECT_EQ(benchViolations(bench).size(), 3u);
}

TEST_F(CheckerTest, ReportsReadoutsThatDisagreeWithTheirInstrument) {
    switchEverythingOn();
    bench.I_Fuente = 2.0f;   // display still shows 01,000
    bench.Fuente_On = false; // and now the lamp, the colour and the steps disagree too
    bench.Conmutador = 1;    // the Hall button is down
    const auto broken = benchViolations(bench);
    EXPECT_GE(broken.size(), 14u);
    EXPECT_NE(std::find_if(broken.begin(), broken.end(),
                           [](const std::string& s) { return s.find("Conmutador") != std::string::npos; }),
              broken.end());
}

TEST_F(CheckerTest, ReportsAReadoutWithTheWrongSeparator) {
    bench.Bot_Control_On_Click();
    EXPECT_EQ(benchViolations(bench), std::vector<std::string>{});
    bench.Bot_Inter_Click();
    bench.T_Consigna = 300.04f; // would show 300,0 on this bench, but the readout keeps 300,0 too
    EXPECT_EQ(benchViolations(bench), std::vector<std::string>{});
    bench.T_Consigna = 310.0f;
    EXPECT_EQ(benchViolations(bench).size(), 1u);
}

} // namespace
} // namespace eh::soak
