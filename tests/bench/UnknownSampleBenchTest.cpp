// The unknown sample on the bench: a code adds "Muestra problema" to the list and
// fills the catalogue's free row; without a code nothing changes; and the free row is
// read with the same physics as the catalogued ones.
#include <cstdio>
#include <sstream>

#include "CoreSupport.h"
#include "model/UnknownSample.h"

using namespace eh;
using eh::test::BenchTest;
using eh::test::FakeHost;

namespace {

const std::vector<std::string> kTwoItems{"Muestra  1", "Muestra  2"};
const std::vector<std::string> kThreeItems{"Muestra  1", "Muestra  2", "Muestra problema"};

} // namespace

TEST_F(BenchTest, ACodeAddsTheUnknownSampleToTheList) {
    EXPECT_EQ(bench.widget("Combo_Muestra").items, kTwoItems);
    std::string error;
    ASSERT_TRUE(bench.useUnknownSample("twsh 3nkm", error)) << error;
    EXPECT_EQ(bench.widget("Combo_Muestra").items, kThreeItems);
    EXPECT_EQ(bench.Codigo_Muestra, "TWSH-3NKM");
    EXPECT_EQ(bench.Muestra_Sel, 1); // loading chooses nothing
    const SampleRow& row = bench.Catalogo.row(3);
    EXPECT_EQ(std::tie(row.Tipo, row.E_Donador, row.Dopado_N, row.Longitud, row.Anchura, row.Grosor),
              std::tuple("N", 9.6f, 4.78e15f, 0.753f, 0.235f, 0.017f));
    bench.Combo_Muestra_Click(2);
    EXPECT_EQ(bench.Muestra_Sel, 3);
    EXPECT_EQ(text("Combo_Muestra"), "Muestra problema");
    // Another code replaces the sample; the list keeps one such item.
    ASSERT_TRUE(bench.useUnknownSample("6F4T-8VWM", error)) << error;
    EXPECT_EQ(bench.widget("Combo_Muestra").items, kThreeItems);
    EXPECT_EQ(bench.Catalogo.row(3).Dopado_N, 8.26e15f);
    EXPECT_EQ(bench.Codigo_Muestra, "6F4T-8VWM");
    EXPECT_EQ(bench.Muestra_Sel, 3);
}

TEST_F(BenchTest, ABadCodeChangesNothing) {
    std::string error;
    EXPECT_FALSE(bench.useUnknownSample("TWSH-3NMK", error)); // two neighbours swapped
    EXPECT_EQ(error,
              "El código TWSH-3NMK no es válido: compruebe que ningún carácter está mal copiado ni hay "
              "dos cambiados de orden.");
    EXPECT_EQ(bench.widget("Combo_Muestra").items, kTwoItems);
    EXPECT_TRUE(bench.Catalogo.row(3).Tipo.empty());
    EXPECT_TRUE(bench.Codigo_Muestra.empty());
    EXPECT_TRUE(changes.empty());
    bench.Combo_Muestra_Click(2); // no third item to choose
    EXPECT_EQ(bench.Muestra_Sel, 1);
}

// A code given before the window loads (from the command line) is listed by the start-up.
TEST(UnknownSampleBench, CodeGivenBeforeStartUpIsListed) {
    FakeHost host;
    BenchModel bench(host);
    std::string error;
    ASSERT_TRUE(bench.useUnknownSample("2ZGT-N3TS", error)) << error;
    EXPECT_TRUE(bench.widget("Combo_Muestra").items.empty()); // design state: no items
    bench.Form_Load();
    EXPECT_EQ(bench.widget("Combo_Muestra").items, kThreeItems);
    EXPECT_EQ(bench.Muestra_Sel, 1);
}

namespace {

// Everything a user or the register can observe, exactly: every widget but the list
// (whose text names the chosen item), the model's results and the readings.
std::string snapshot(const BenchModel& b) {
    std::ostringstream out;
    out << std::hexfloat;
    for (std::size_t i = 0; i < kWidgetCount; ++i) {
        const auto id = static_cast<WidgetId>(i);
        if (id == WidgetId::Combo_Muestra) continue;
        const Widget& w = b.widget(id);
        out << widgetName(id) << '=' << w.text << ',' << int{w.textColor.r} << ',' << int{w.fillColor.r}
            << ',' << w.enabled << ',' << w.down << ';';
    }
    out << b.R_Muestra << ' ' << b.R_Hall << ' ' << b.Lectura_Volt.value() << ' '
        << static_cast<int>(b.Lectura_Volt.tag()) << ' ' << b.Lectura_Ro.value() << ' '
        << b.Lectura_EH_Pos.value() << ' ' << b.Lectura_EH_Neg << ' ' << b.T_Medida << ' ' << b.B_Iman;
    return out.str();
}

// A session over the states the bench's tests reach: the voltmeter in its three
// positions, both polarities with the magnet ramping up to 9000 G and down, and the
// temperatures of the worked examples (freeze-out, the threshold, room, partly and
// fully intrinsic), with a record stored at each. One snapshot per operation.
std::vector<std::string> session(BenchModel& b) {
    std::vector<std::string> trace;
    auto step = [&](auto&& op) {
        op();
        trace.push_back(snapshot(b));
    };
    step([&] { b.Bot_Inter_Click(); });
    step([&] { b.Bot_Volt_On_Click(); });
    step([&] { b.Bot_Fuente_On_Click(); });
    step([&] { b.Sube4_Click(); }); // 1 mA
    step([&] { b.Conmuta_Ro_Click(); });
    step([&] { b.Bot_Iman_On_Click(); });
    step([&] { b.Control_I_Iman_Change(1000); });
    step([&] { b.Bot_Control_On_Click(); });
    const float temperatures[] = {50.0f,  100.0f, 176.0f, 177.0f, 194.0f,
                                  195.0f, 300.0f, 400.0f, 450.0f, 760.0f};
    for (float t : temperatures) {
        step([&] {
            b.T_Medida = t;
            b.T_Consigna = t;
            b.Timer_Control_Timer(); // shows the new temperature: the model runs
        });
        step([&] { b.Conmuta_Ro_Click(); });
        step([&] { b.Conmuta_EH_Click(); });
        step([&] { b.Bot_Derecha_Click(); });
        for (int i = 0; i < 30; ++i) step([&] { b.Timer_Iman2_Timer(); });
        step([&] { b.Bot_Izquierda_Click(); });
        for (int i = 0; i < 30; ++i) step([&] { b.Timer_Iman1_Timer(); });
        step([&] { b.Conmuta_Ro_Click(); });
        step([&] { b.Acumular_Click(); });
    }
    trace.push_back(b.registerContent());
    return trace;
}

} // namespace

namespace {

// A started bench with its noise fixed, measuring `row` from the free row.
void startWithRow(BenchModel& b, const SampleRow& row) {
    b.Form_Load();
    b.Rnd = [] { return 0.5f; };
    b.useUnknownRow(row, "A345-678J");
    b.Combo_Muestra_Click(2);
}

const UnknownSample kSampleOne{"N", "x", 10.0f, 2e15f, 0.3f, 0.2f, 0.01f};

} // namespace

TEST(UnknownSampleBench, WorkedExampleOfSampleOneFromTheFreeRow) {
    FakeHost host;
    BenchModel b(host);
    startWithRow(b, unknownSampleRow(kSampleOne));
    ASSERT_EQ(b.Muestra_Sel, 3);
    b.Bot_Volt_On_Click();
    b.Bot_Fuente_On_Click();
    b.Sube4_Click();
    b.Conmuta_Ro_Click();
    EXPECT_EQ(b.widget("Display_Volt").text, "00.12380"); // 1 mA across 123.80 ohm at 300 K
}

// Sample 1's values put in the free row through the code path's entry give, step by
// step, exactly what sample 1 gives in its own row; a row that differs in its doping
// alone does not.
TEST(UnknownSampleBench, TheFreeRowIsReadWithTheSamePhysics) {
    FakeHost hostOne, hostThree, hostOther;
    BenchModel one(hostOne), three(hostThree), other(hostOther);
    one.Form_Load();
    one.Rnd = [] { return 0.5f; };
    startWithRow(three, unknownSampleRow(kSampleOne));
    UnknownSample moreDoped = kSampleOne;
    moreDoped.dopingCm3 = 2.2e15f;
    startWithRow(other, unknownSampleRow(moreDoped));

    const auto expected = session(one);
    const auto got = session(three);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], expected[i]) << "step " << i;
    EXPECT_NE(session(other).back(), expected.back()); // the register differs
    // The session did measure: Hall readings of both polarities and a full register.
    EXPECT_EQ(one.storedRecords(), 10);
    EXPECT_NE(one.Lectura_EH_Pos.value(), 0.0);
    EXPECT_NE(one.Lectura_EH_Neg, 0.0f);
    EXPECT_TRUE(hostOne.messages.empty());
}

// The readings take the free row's own thickness: twice as thick, half the resistance
// and half the Hall voltage of sample 1 in the same field.
TEST(UnknownSampleBench, ReadingsUseTheFreeRowsThickness) {
    FakeHost hostOne, hostThick;
    BenchModel one(hostOne), thick(hostThick);
    one.Form_Load();
    UnknownSample twice = kSampleOne;
    twice.thicknessCm = 0.02f;
    startWithRow(thick, unknownSampleRow(twice));
    std::vector<double> readings[2];
    for (int k = 0; k < 2; ++k) {
        BenchModel& b = k == 0 ? one : thick;
        for (auto op : {&BenchModel::Bot_Volt_On_Click, &BenchModel::Bot_Fuente_On_Click,
                        &BenchModel::Sube4_Click, &BenchModel::Conmuta_Ro_Click})
            (b.*op)();
        readings[k].push_back(b.Lectura_Volt.value());
        b.Bot_Iman_On_Click();
        b.Control_I_Iman_Change(1000);
        b.Conmuta_EH_Click();
        b.Bot_Derecha_Click();
        for (int i = 0; i < 40; ++i) b.Timer_Iman2_Timer();
        readings[k].push_back(b.Lectura_Volt.value());
    }
    ASSERT_NE(readings[0][1], 0.0);
    EXPECT_NEAR(readings[1][0] / readings[0][0], 0.5, 1e-6);
    EXPECT_NEAR(readings[1][1] / readings[0][1], 0.5, 1e-6);
}
