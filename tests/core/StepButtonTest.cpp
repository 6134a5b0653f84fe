// The eighteen digit buttons of the source current and the set point, each pressed just
// inside its bound and exactly at it. Every bound is strict and compared in single
// precision: at the bound the press is refused whole, one displayed unit inside it the
// step is taken. Start values are the single-precision values of the decimals written.
#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

namespace {

struct StepRow {
    const char* button;
    void (BenchModel::*press)();
    float BenchModel::*value;
    const char* display;
    float start;
    const char* shown; // the display after the press; nullptr: refused
};

constexpr auto I = &BenchModel::I_Fuente;
constexpr auto T = &BenchModel::T_Consigna;
constexpr const char* F = "Display_Fuente";
constexpr const char* C = "Display_T_Consigna";

const StepRow kStepRows[] = {
    {"Sube1", &BenchModel::Sube1_Click, I, F, 99.998f, "99.999"},
    {"Sube1", &BenchModel::Sube1_Click, I, F, 99.999f, nullptr},
    {"Sube2", &BenchModel::Sube2_Click, I, F, 99.98f, "99.990"},
    {"Sube2", &BenchModel::Sube2_Click, I, F, 99.99f, nullptr},
    {"Sube3", &BenchModel::Sube3_Click, I, F, 99.8f, "99.900"},
    {"Sube3", &BenchModel::Sube3_Click, I, F, 99.9f, nullptr},
    {"Sube4", &BenchModel::Sube4_Click, I, F, 98.999f, "99.999"},
    {"Sube4", &BenchModel::Sube4_Click, I, F, 99.0f, nullptr},
    {"Sube5", &BenchModel::Sube5_Click, I, F, 89.999f, "99.999"},
    {"Sube5", &BenchModel::Sube5_Click, I, F, 90.0f, nullptr},
    {"Baja1", &BenchModel::Baja1_Click, I, F, 0.002f, "00.001"},
    {"Baja1", &BenchModel::Baja1_Click, I, F, 0.001f, nullptr},
    {"Baja2", &BenchModel::Baja2_Click, I, F, 0.011f, "00.001"},
    {"Baja2", &BenchModel::Baja2_Click, I, F, 0.01f, nullptr},
    {"Baja3", &BenchModel::Baja3_Click, I, F, 0.101f, "00.001"},
    {"Baja3", &BenchModel::Baja3_Click, I, F, 0.1f, nullptr},
    {"Baja4", &BenchModel::Baja4_Click, I, F, 1.001f, "00.001"},
    {"Baja4", &BenchModel::Baja4_Click, I, F, 1.0f, nullptr},
    {"Baja5", &BenchModel::Baja5_Click, I, F, 10.001f, "00.001"},
    {"Baja5", &BenchModel::Baja5_Click, I, F, 10.0f, nullptr},
    {"SubeT1", &BenchModel::SubeT1_Click, T, C, 762.8f, "762.9"},
    {"SubeT1", &BenchModel::SubeT1_Click, T, C, 762.9f, nullptr},
    {"SubeT2", &BenchModel::SubeT2_Click, T, C, 761.9f, "762.9"},
    {"SubeT2", &BenchModel::SubeT2_Click, T, C, 762.0f, nullptr},
    {"SubeT3", &BenchModel::SubeT3_Click, T, C, 762.9f, "772.9"},
    {"SubeT3", &BenchModel::SubeT3_Click, T, C, 763.0f, nullptr},
    {"SubeT4", &BenchModel::SubeT4_Click, T, C, 672.9f, "772.9"},
    {"SubeT4", &BenchModel::SubeT4_Click, T, C, 673.0f, nullptr},
    {"BajaT1", &BenchModel::BajaT1_Click, T, C, 0.2f, "000.1"},
    {"BajaT1", &BenchModel::BajaT1_Click, T, C, 0.1f, nullptr},
    {"BajaT2", &BenchModel::BajaT2_Click, T, C, 1.1f, "000.1"},
    {"BajaT2", &BenchModel::BajaT2_Click, T, C, 1.0f, nullptr},
    {"BajaT3", &BenchModel::BajaT3_Click, T, C, 10.1f, "000.1"},
    {"BajaT3", &BenchModel::BajaT3_Click, T, C, 10.0f, nullptr},
    {"BajaT4", &BenchModel::BajaT4_Click, T, C, 100.1f, "000.1"},
    {"BajaT4", &BenchModel::BajaT4_Click, T, C, 100.0f, nullptr},
};

} // namespace

TEST_F(BenchTest, EveryDigitButtonStepsJustInsideItsBoundAndNotAtIt) {
    bench.Bot_Fuente_On_Click();
    bench.Bot_Control_On_Click();
    for (const StepRow& row : kStepRows) {
        SCOPED_TRACE(std::string(row.button) + " from " + std::to_string(row.start));
        bench.*row.value = row.start;
        const std::string before = text(row.display);
        (bench.*row.press)();
        if (row.shown) {
            EXPECT_EQ(text(row.display), row.shown);
            EXPECT_NEAR(bench.*row.value, std::stod(row.shown),
                        5e-4); // also where the text was already shown
        } else {
            EXPECT_EQ(bench.*row.value, row.start);
            EXPECT_EQ(text(row.display), before);
        }
    }
}
