#include "BenchFixture.h"

using namespace eh;
using eh::test::BenchTest;

TEST_F(BenchTest, InterfaceSwitchShowsTheStoredCount) {
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "000");
    EXPECT_EQ(bench.widget("Medidas").textColor, kTextOn);
    EXPECT_TRUE(bench.widget("Salvar").enabled);
    press(&BenchModel::Acumular_Click, 5);
    EXPECT_EQ(text("Medidas"), "005");
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "000");
    EXPECT_EQ(bench.widget("Medidas").textColor, kTextOff);
    EXPECT_FALSE(bench.widget("Acumular").enabled);
    bench.Acumular_Click();
    EXPECT_EQ(bench.Num_Registro, 6);
    bench.Bot_Inter_Click();
    EXPECT_EQ(text("Medidas"), "005");
}

TEST_F(BenchTest, RecordHoldsTheLatestCopiesAndTheNominalField) {
    bench.Bot_Inter_Click();
    bench.Acumular_Click();
    EXPECT_EQ(bench.Reg_VR[1], 0.0f);
    EXPECT_EQ(bench.Reg_VH_Pos[1], 0.0f);
    EXPECT_EQ(bench.Reg_Campo[1], 0.0f);
    EXPECT_EQ(bench.Reg_Temperatura[1], 300.0f);

    bench.Control_I_Iman_Change(999);
    bench.Bot_Iman_On_Click();
    bench.Bot_Iman_On_Click(); // off again: the limit stays
    bench.Acumular_Click();
    EXPECT_FLOAT_EQ(bench.Reg_Campo[2], 8991.999f);
    bench.Bot_Iman_On_Click();
    bench.Control_I_Iman_Change(1000);
    bench.Acumular_Click();
    EXPECT_EQ(bench.Reg_Campo[3], 9000.0f);
}

TEST_F(BenchTest, ResetKeepsSlotsButStartsOver) {
    bench.Bot_Inter_Click();
    press(&BenchModel::Acumular_Click, 3);
    bench.Reset_Click();
    EXPECT_EQ(text("Medidas"), "000");
    bench.Acumular_Click();
    EXPECT_EQ(text("Medidas"), "001");
    EXPECT_EQ(bench.storedRecords(), 1);
}

TEST_F(BenchTest, FullRegisterRefusesFurtherRecords) {
    bench.Bot_Inter_Click();
    press(&BenchModel::Acumular_Click, 100);
    EXPECT_EQ(text("Medidas"), "100");
    bench.T_Medida = 123.0f;
    bench.Acumular_Click();
    EXPECT_EQ(bench.Num_Registro, 101);
    EXPECT_EQ(text("Medidas"), "100");
    EXPECT_EQ(bench.Reg_Temperatura[100], 300.0f);
}
