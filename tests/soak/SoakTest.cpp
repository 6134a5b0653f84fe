// The monkey: a long random sequence of every event of the bench, with a fixed seed,
// checking the whole bench after each one. TARVELO_SOAK_EVENTS sets the number of
// events (split between a point and a comma locale), TARVELO_SOAK_SEED the seed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <random>
#include <stdexcept>
#include <unistd.h>

#include "bench/BenchModel.h"

namespace eh::soak {
namespace {

// Whether a readout has the shape of a number: an optional minus sign (if allowed),
// minDigits to maxDigits integer digits, and with decimals > 0 the separator and
// exactly that many digits.
bool hasShape(std::string_view text, int minDigits, int maxDigits, int decimals, bool negative,
              char separator) {
    if (negative && text.starts_with('-')) text.remove_prefix(1);
    auto digits = [&text] {
        int n = 0;
        for (; !text.empty() && text.front() >= '0' && text.front() <= '9'; ++n) text.remove_prefix(1);
        return n;
    };
    const int whole = digits();
    if (whole < minDigits || whole > maxDigits) return false;
    if (decimals == 0) return text.empty();
    if (!text.starts_with(separator)) return false;
    text.remove_prefix(1);
    return digits() == decimals && text.empty();
}

// What must hold of a running bench after any event, one line per broken rule:
// values inside their ranges, readouts showing their value or their switched-off
// text, lamps, text colours and enabled flags agreeing with the instruments.
std::vector<std::string> benchViolations(const BenchModel& b) {
    using W = WidgetId;
    std::vector<std::string> found;
    const char sep = b.decimalSeparator();
    const bool control = b.Control_On == 1, crio = b.Crio_On == 1;
    auto rule = [&found](bool holds, const std::string& what) {
        if (!holds) found.push_back(what);
    };
    auto text = [&b](W id) -> const std::string& { return b.widget(id).text; };
    auto show = [&](W id) { return std::string(widgetName(id)) + " \"" + text(id) + "\""; };

    rule(b.I_Fuente >= 0.0f && b.I_Fuente < 100.0f, "I_Fuente " + std::to_string(b.I_Fuente));
    rule(b.T_Consigna > 0.0f && b.T_Consigna < 773.0f, "T_Consigna " + std::to_string(b.T_Consigna));
    rule(std::isfinite(b.T_Medida) && b.T_Medida >= 49.0f && b.T_Medida <= 780.0f,
         "T_Medida " + std::to_string(b.T_Medida));
    rule(b.I_Iman >= 0.0f && b.I_Iman <= 10.0f, "I_Iman " + std::to_string(b.I_Iman));
    rule(b.B_Iman >= 0.0f && b.B_Iman <= 9000.0f, "B_Iman " + std::to_string(b.B_Iman));
    rule(b.Num_Registro >= 1 && b.Num_Registro <= 101, "Num_Registro " + std::to_string(b.Num_Registro));
    rule(b.Muestra_Sel == 1 || b.Muestra_Sel == 2, "Muestra_Sel " + std::to_string(b.Muestra_Sel));
    rule(b.Polaridad >= -1 && b.Polaridad <= 1, "Polaridad " + std::to_string(b.Polaridad));
    rule(b.Control_On == 0 || b.Control_On == 1, "Control_On " + std::to_string(b.Control_On));
    rule(b.Crio_On == 0 || b.Crio_On == 1, "Crio_On " + std::to_string(b.Crio_On));
    rule(std::isfinite(b.Lectura_Volt.value()), "Lectura_Volt not finite");

    // An instrument's readout: the formatted value while on, the fixed text while off.
    // A current just below 100 mA rounds to "100.000".
    struct Readout {
        W id;
        bool on;
        NumberPattern pattern;
        int maxDigits;
        double value;
        const char* offText;
    };
    for (const Readout& r :
         {Readout{W::Display_Fuente, b.Fuente_On, kPatternFuente, 3, b.I_Fuente, "00.000"},
          Readout{W::Display_Volt, b.Volt_On, kPatternVolt, 4, b.Lectura_Volt.value(), "00.00000"},
          Readout{W::Display_T_Medida, control, kPatternTemp, 3, b.T_Medida, "000.0"},
          Readout{W::Display_T_Consigna, control, kPatternTemp, 3, b.T_Consigna, "000.0"},
          Readout{W::Medidas, b.Inter_On, kPatternCount, 3, double(b.storedRecords()), "000"}}) {
        const std::string expected = r.on ? formatPattern(r.value, r.pattern, sep) : r.offText;
        rule(text(r.id) == expected, show(r.id) + " does not show " + expected);
        rule(!r.on || hasShape(text(r.id), r.pattern.intDigits, r.maxDigits, r.pattern.decimals,
                               r.id == W::Display_Volt, sep),
             show(r.id) + " does not fit its pattern");
    }
    // The magnet readouts: "0.00" and "9.99" always with a point, the coil's 10 A in
    // the locale's form; the set current stays as it was when the supply is off.
    for (W id : {W::Fija_I_Iman, W::Mide_I_Iman}) {
        const std::string& t = text(id);
        rule(t == "0.00" || t == "9.99" || (id == W::Mide_I_Iman && t == std::string("10") + sep + "00") ||
                 hasShape(t, 1, 1, 2, false, sep),
             show(id) + " does not fit its pattern");
    }
    if (b.Iman_On) {
        const int position = b.widget(W::Control_I_Iman).value;
        const std::string set = position == 0      ? std::string("0.00")
                                : position == 1000 ? std::string("9.99")
                                                   : formatPattern(position / 100.0, kPatternIman, sep);
        rule(text(W::Fija_I_Iman) == set, show(W::Fija_I_Iman) + " is not the slider's " + set);
    } else {
        rule(text(W::Mide_I_Iman) == "0.00", show(W::Mide_I_Iman) + " while the supply is off");
    }

    // Lamps, text colours and enabled controls follow their instrument.
    for (auto [led, on] : {std::pair{W::Led_Fuente, b.Fuente_On},
                           {W::Led_Volt, b.Volt_On},
                           {W::Led_Control, control},
                           {W::Led_Crio, crio},
                           {W::Led_Iman, b.Iman_On},
                           {W::Led_Inter, b.Inter_On}})
        rule(b.widget(led).fillColor == (on ? kLampOn : kLampOff),
             std::string(widgetName(led)) + " lamp colour disagrees with the instrument");
    for (auto [id, on] : {std::pair{W::Display_Fuente, b.Fuente_On},
                          {W::Display_Volt, b.Volt_On},
                          {W::Display_T_Medida, control},
                          {W::Display_T_Consigna, control},
                          {W::Fija_I_Iman, b.Iman_On},
                          {W::Mide_I_Iman, b.Iman_On},
                          {W::Medidas, b.Inter_On}}) {
        const Rgb c = b.widget(id).textColor;
        rule(on ? c == kTextOn : (c == kTextOff || c == Rgb{128, 128, 128}), // or the design's grey
             std::string(widgetName(id)) + " text colour disagrees with the instrument");
    }
    auto enabled = [&](std::initializer_list<W> ids, bool on) {
        for (W id : ids)
            rule(b.widget(id).enabled == on,
                 std::string(widgetName(id)) + (on ? " disabled while on" : " enabled while off"));
    };
    enabled(
        {W::Sube1, W::Sube2, W::Sube3, W::Sube4, W::Sube5, W::Baja1, W::Baja2, W::Baja3, W::Baja4, W::Baja5},
        b.Fuente_On);
    enabled({W::SubeT1, W::SubeT2, W::SubeT3, W::SubeT4, W::BajaT1, W::BajaT2, W::BajaT3, W::BajaT4},
            control);
    enabled({W::Bot_Izquierda, W::Bot_Derecha}, b.Iman_On);
    enabled({W::Acumular, W::Reset, W::Salvar}, b.Inter_On);
    enabled({W::Bot_Fuente_On, W::Bot_Volt_On, W::Bot_Control_On, W::Bot_Crio_On, W::Bot_Iman_On,
             W::Bot_Inter, W::Conmuta_Ro, W::Conmuta_EH, W::Combo_Muestra, W::Control_I_Iman},
            true);
    if (control || crio) enabled({W::Timer_Control}, true);

    // Switches that exclude each other.
    const bool ro = b.widget(W::Conmuta_Ro).down, hall = b.widget(W::Conmuta_EH).down;
    const int position = ro ? 1 : hall ? 2 : 0;
    rule(!(ro && hall), "both switch-box buttons down");
    rule(b.Conmutador == position,
         "Conmutador " + std::to_string(b.Conmutador) + " with button " + std::to_string(position) + " down");
    rule(!(b.widget(W::Bot_Izquierda).down && b.widget(W::Bot_Derecha).down), "both polarity switches down");
    rule(!(b.widget(W::Timer_Iman1).enabled && b.widget(W::Timer_Iman2).enabled),
         "both magnet timers running");
    return found;
}

class NullHost : public BenchHost {
public:
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override { return std::nullopt; }
    void setBusyPointer(bool) override {}
};

// The judge must itself be able to fail: each kind of rule reports a bench broken in
// its way, by name, and a readout of the wrong shape is one.
TEST(BenchInvariants, EveryKindOfRuleReportsItsBreach) {
    struct Row {
        void (*breakIt)(BenchModel&);
        const char* report; // none: the bench is sound
    } rows[] = {
        {[](BenchModel&) {}, nullptr},
        {[](BenchModel& b) { b.I_Fuente = 100.0f; }, "I_Fuente 100"},
        {[](BenchModel& b) { b.T_Medida = std::nanf(""); }, "T_Medida nan"},
        {[](BenchModel& b) { b.I_Fuente = 2.0f; }, "Display_Fuente \"01,000\" does not show 02,000"},
        {[](BenchModel& b) { b.T_Consigna = 310.0f; }, "Display_T_Consigna \"300,0\" does not show 310,0"},
        {[](BenchModel& b) { b.Fuente_On = false; }, "Led_Fuente lamp colour"},
        {[](BenchModel& b) { b.Iman_On = false; }, "Fija_I_Iman text colour"},
        {[](BenchModel& b) { b.Inter_On = false; }, "Salvar enabled while off"},
        {[](BenchModel& b) { b.Conmutador = 1; }, "Conmutador 1 with button 2 down"},
    };
    for (const Row& r : rows) {
        NullHost host;
        BenchModel bench(host, ',');
        bench.Form_Load();
        for (auto press :
             {&BenchModel::Bot_Fuente_On_Click, &BenchModel::Sube4_Click, &BenchModel::Bot_Volt_On_Click,
              &BenchModel::Conmuta_EH_Click, &BenchModel::Bot_Control_On_Click,
              &BenchModel::Bot_Crio_On_Click, &BenchModel::Bot_Iman_On_Click})
            (bench.*press)();
        bench.Control_I_Iman_Change(750);
        bench.Bot_Derecha_Click();
        for (int i = 0; i < 30; ++i) {
            bench.Timer_Iman2_Timer();
            bench.Timer_Control_Timer();
        }
        bench.Bot_Inter_Click();
        bench.Acumular_Click();
        r.breakIt(bench);
        std::string found;
        for (const auto& line : benchViolations(bench)) found += line + "\n";
        if (r.report) {
            EXPECT_NE(found.find(r.report), std::string::npos) << r.report << " not in\n" << found;
        } else {
            EXPECT_EQ(found, "");
        }
    }
    for (const char* wrong : {"0.02812", "00.0281", "00,02812", "--00.02812", "12345.00000"})
        EXPECT_FALSE(hasShape(wrong, 2, 4, 5, true, '.')) << wrong;
    EXPECT_TRUE(hasShape("-00.02812", 2, 4, 5, true, '.'));
}

namespace fs = std::filesystem;
constexpr long kDefaultEvents = 100000;

long envNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    char* end = nullptr;
    const long n = value == nullptr ? 0 : std::strtol(value, &end, 10);
    return (n > 0 && *end == '\0') ? n : fallback;
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every user event and timer tick, drawn in proportion to its weight (events on
// disabled controls too) and repeated 1 to maxBurst times, as a held button or a
// stretch of time without input would: long runs of thermal ticks let the sample
// cool into freeze-out or heat up fully, runs of Acumular fill the register.
struct SoakEvent {
    std::string_view name;
    int weight, maxBurst;
    void (BenchModel::*press)(); // none: the list or the slider, with a random value
};
using B = BenchModel;
const SoakEvent kEvents[] = {
    {"Combo_Muestra_Click", 2, 1, nullptr},
    {"Bot_Fuente_On_Click", 2, 1, &B::Bot_Fuente_On_Click},
    {"Sube1_Click", 2, 8, &B::Sube1_Click},
    {"Sube2_Click", 2, 8, &B::Sube2_Click},
    {"Sube3_Click", 2, 8, &B::Sube3_Click},
    {"Sube4_Click", 2, 8, &B::Sube4_Click},
    {"Sube5_Click", 2, 8, &B::Sube5_Click},
    {"Baja1_Click", 2, 8, &B::Baja1_Click},
    {"Baja2_Click", 2, 8, &B::Baja2_Click},
    {"Baja3_Click", 2, 8, &B::Baja3_Click},
    {"Baja4_Click", 2, 8, &B::Baja4_Click},
    {"Baja5_Click", 2, 8, &B::Baja5_Click},
    {"Bot_Volt_On_Click", 2, 1, &B::Bot_Volt_On_Click},
    {"Conmuta_Ro_Click", 2, 1, &B::Conmuta_Ro_Click},
    {"Conmuta_EH_Click", 2, 1, &B::Conmuta_EH_Click},
    {"Bot_Control_On_Click", 2, 1, &B::Bot_Control_On_Click},
    {"SubeT1_Click", 2, 8, &B::SubeT1_Click},
    {"SubeT2_Click", 2, 8, &B::SubeT2_Click},
    {"SubeT3_Click", 2, 8, &B::SubeT3_Click},
    {"SubeT4_Click", 2, 8, &B::SubeT4_Click},
    {"BajaT1_Click", 2, 8, &B::BajaT1_Click},
    {"BajaT2_Click", 2, 8, &B::BajaT2_Click},
    {"BajaT3_Click", 2, 8, &B::BajaT3_Click},
    {"BajaT4_Click", 2, 8, &B::BajaT4_Click},
    {"Timer_Control_Timer", 6, 300, &B::Timer_Control_Timer},
    {"Bot_Crio_On_Click", 1, 1, &B::Bot_Crio_On_Click},
    {"Bot_Iman_On_Click", 2, 1, &B::Bot_Iman_On_Click},
    {"Control_I_Iman_Change", 2, 1, nullptr},
    {"Bot_Izquierda_Click", 2, 1, &B::Bot_Izquierda_Click},
    {"Bot_Derecha_Click", 2, 1, &B::Bot_Derecha_Click},
    {"Timer_Iman1_Timer", 3, 40, &B::Timer_Iman1_Timer},
    {"Timer_Iman2_Timer", 3, 40, &B::Timer_Iman2_Timer},
    {"Bot_Inter_Click", 2, 1, &B::Bot_Inter_Click},
    {"Acumular_Click", 3, 50, &B::Acumular_Click},
    {"Reset_Click", 2, 1, &B::Reset_Click},
    {"Salvar_Click", 3, 1, &B::Salvar_Click},
};

// How far the run went: a run that never cooled the sample or filled the register
// would pass without having tested much.
struct Coverage {
    float minT = 1e9f, maxT = 0.0f, maxB = 0.0f;
    double minVolt = 0.0, maxVolt = 0.0;
    int filesChecked = 0, cancelledSaves = 0, failedSaves = 0, fullRegister = 0, refusedClicks = 0;
};

// The bench and the desktop as the monkey sees it: the save dialog answers one of two
// files in a private temporary folder, or a name that cannot be saved (a full disk, a
// missing folder, a read-only file), or is cancelled; message boxes are only counted.
class SoakRun : public BenchHost {
public:
    SoakRun(char separator, unsigned seed) : random_(seed), bench_(*this, separator) {
        std::string pattern = (fs::temp_directory_path() / "tarvelo-soak-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
        folder_ = pattern;
        // Root writes any file whatever its bits: for root, a file of the kernel's
        // that nobody may write.
        readOnly_ = ::geteuid() == 0 ? fs::path("/proc/sys/kernel/ostype") : folder_ / "solo-lectura.ASC";
        if (::geteuid() != 0) {
            std::ofstream{readOnly_}.close();
            fs::permissions(readOnly_, fs::perms::owner_read);
        }
        bench_.setChangeListener([this](WidgetId) { ++notifications_; });
        bench_.Form_Load();
    }
    ~SoakRun() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Runs `events` events; stops at the first broken rule with the recent history.
    void run(long events) {
        std::vector<double> weights;
        for (const SoakEvent& e : kEvents) weights.push_back(e.weight);
        std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
        std::deque<std::string_view> recent;
        for (long i = 0; i < events;) {
            const SoakEvent& event = kEvents[pick(random_)];
            const int burst = std::uniform_int_distribution<int>(1, event.maxBurst)(random_);
            for (int k = 0; k < burst && i < events; ++k, ++i) {
                recent.push_back(event.name);
                if (recent.size() > 40) recent.pop_front();
                const std::vector<std::string> broken = step(event);
                if (!broken.empty()) {
                    std::string report =
                        "after event " + std::to_string(i) + " (" + std::string(event.name) + ")\n";
                    for (const auto& line : broken) report += "  " + line + "\n";
                    report += "last events:";
                    for (auto name : recent) report += " " + std::string(name);
                    ADD_FAILURE() << report;
                    return;
                }
                coverage.minT = std::min(coverage.minT, bench_.T_Medida);
                coverage.maxT = std::max(coverage.maxT, bench_.T_Medida);
                coverage.maxB = std::max(coverage.maxB, bench_.B_Iman);
                coverage.minVolt = std::min(coverage.minVolt, bench_.Lectura_Volt.value());
                coverage.maxVolt = std::max(coverage.maxVolt, bench_.Lectura_Volt.value());
                if (bench_.Num_Registro == 101) ++coverage.fullRegister;
            }
        }
    }

    Coverage coverage;

private:
    enum class Answer { Cancel, Save, DiskFull, MissingFolder, ReadOnly };

    void showMessage(const std::string& text, const std::string& title) override {
        ++messages_;
        lastMessage_ = title + ": " + text;
    }
    void setBusyPointer(bool busy) override { busyPointer_ = busy; }
    std::optional<std::string> askSaveFileName(const SaveDialogRequest&) override {
        ++dialogs_;
        static constexpr Answer kAnswers[] = {Answer::Cancel,   Answer::Save,     Answer::Save,
                                              Answer::Save,     Answer::DiskFull, Answer::MissingFolder,
                                              Answer::ReadOnly, Answer::Save};
        lastKind_ = kAnswers[std::uniform_int_distribution<int>(0, 7)(random_)];
        if (lastKind_ == Answer::Cancel)
            lastAnswer_.reset();
        else if (lastKind_ == Answer::Save)
            lastAnswer_ = (folder_ / (random_() % 2 ? "registro.ASC" : "medidas.asc")).string();
        else
            lastAnswer_ = lastKind_ == Answer::DiskFull   ? "/dev/full"
                          : lastKind_ == Answer::ReadOnly ? readOnly_.string()
                                                          : (folder_ / "no-existe" / "datos.ASC").string();
        return lastAnswer_;
    }

    // Applies one event and returns the rules it broke.
    std::vector<std::string> step(const SoakEvent& event) {
        const int dialogsBefore = dialogs_, messagesBefore = messages_;
        const bool unsavedBefore = bench_.hasUnsavedRecords();
        const long notificationsBefore = notifications_;
        // The list may be clicked with an index past either end, as a stray event
        // would; the slider is mostly dragged, sometimes set outside its range. An
        // exception escaping fails the test by itself.
        if (event.press)
            (bench_.*event.press)();
        else if (event.name == "Combo_Muestra_Click")
            bench_.Combo_Muestra_Click(std::uniform_int_distribution<int>(-1, 2)(random_));
        else
            bench_.Control_I_Iman_Change(std::uniform_int_distribution<int>(-100, 1100)(random_));
        if (notifications_ == notificationsBefore) ++coverage.refusedClicks;
        std::vector<std::string> broken = benchViolations(bench_);
        const int newMessages = messages_ - messagesBefore;
        const bool saveAsked = dialogs_ != dialogsBefore;
        // Writing nothing to a full disk succeeds: it fails only with records to write.
        const bool mustFail = lastKind_ == Answer::MissingFolder || lastKind_ == Answer::ReadOnly ||
                              (lastKind_ == Answer::DiskFull && bench_.storedRecords() > 0);
        if (saveAsked && mustFail) {
            // A save that cannot succeed says so once, keeps the records unsaved and
            // touches no file saved before.
            if (newMessages != 1 || !lastMessage_.starts_with("MENSAJE DE ERROR: Error "))
                broken.push_back(std::to_string(newMessages) + " messages for the failed save to " +
                                 *lastAnswer_ + ", the last: " + lastMessage_);
            if (bench_.hasUnsavedRecords() != unsavedBefore)
                broken.push_back("a failed save changed what is unsaved");
            for (const auto& [path, content] : saved_)
                if (contentOf(path) != content) broken.push_back("a failed save changed " + path);
            ++coverage.failedSaves;
        } else if (newMessages != 0) {
            broken.push_back("message box requested: " + lastMessage_);
        } else if (saveAsked && !lastAnswer_) {
            ++coverage.cancelledSaves;
        } else if (saveAsked && lastKind_ == Answer::Save) {
            // A save that was not cancelled left a file holding exactly the register.
            const std::string expected = bench_.registerContent();
            if (contentOf(*lastAnswer_) != expected)
                broken.push_back("saved file " + *lastAnswer_ + " differs from the register of " +
                                 std::to_string(bench_.storedRecords()) + " records");
            if (bench_.hasUnsavedRecords()) broken.push_back("records still unsaved after a save");
            saved_[*lastAnswer_] = expected;
            ++coverage.filesChecked;
        }
        // Nothing but the data files, and the read-only one, in the save folder.
        if (saveAsked)
            for (const auto& entry : fs::directory_iterator(folder_))
                if (const auto name = entry.path().filename().string();
                    name != "registro.ASC" && name != "medidas.asc" && name != "solo-lectura.ASC")
                    broken.push_back("stray file in the save folder: " + name);
        if (busyPointer_) broken.push_back("busy pointer left on");
        return broken;
    }

    std::mt19937 random_;
    fs::path folder_, readOnly_;
    BenchModel bench_;
    int messages_ = 0, dialogs_ = 0;
    std::string lastMessage_;
    std::optional<std::string> lastAnswer_;
    Answer lastKind_ = Answer::Cancel;
    bool busyPointer_ = false;
    long notifications_ = 0;
    std::map<std::string, std::string> saved_; // path -> what the last save there wrote
};

class Soak : public ::testing::TestWithParam<char> {};

TEST_P(Soak, EveryEventInAnyOrderKeepsTheBenchSound) {
    const long total = envNumber("TARVELO_SOAK_EVENTS", kDefaultEvents);
    const auto seed = static_cast<unsigned>(envNumber("TARVELO_SOAK_SEED", 20240614));
    const char separator = GetParam();
    const long events = separator == '.' ? total / 2 : total - total / 2;

    SoakRun run(separator, seed + (separator == '.' ? 0u : 1u));
    run.run(events);
    const Coverage& c = run.coverage;
    std::cout << "[ soak     ] " << events << " events, T " << c.minT << ".." << c.maxT << " K, B up to "
              << c.maxB << " G, readings " << c.minVolt << ".." << c.maxVolt << " V, " << c.filesChecked
              << " files saved, " << c.failedSaves << " saves failed, " << c.cancelledSaves
              << " saves cancelled, full register " << c.fullRegister << " times, " << c.refusedClicks
              << " events changed no widget\n";

    // With the default number of events the run must have reached the corners of
    // the bench; fewer events are for quick local runs.
    if (events * 2 < kDefaultEvents) return;
    EXPECT_LT(c.minT, 170.0f) << "the sample was never cooled into freeze-out";
    EXPECT_GT(c.maxT, 600.0f) << "the sample was never heated";
    EXPECT_GT(c.maxB, 8000.0f) << "the field never came near its maximum";
    EXPECT_LT(c.minVolt, 0.0);
    EXPECT_GT(c.maxVolt, 0.0);
    EXPECT_GT(c.filesChecked, 10);
    EXPECT_GT(c.cancelledSaves, 0);
    EXPECT_GT(c.failedSaves, 10);
    EXPECT_GT(c.fullRegister, 0) << "the register was never filled";
    EXPECT_GT(c.refusedClicks, 0);
}

INSTANTIATE_TEST_SUITE_P(Separators, Soak, ::testing::Values('.', ','),
                         [](const auto& info) { return std::string(info.param == '.' ? "Point" : "Comma"); });

} // namespace
} // namespace eh::soak
