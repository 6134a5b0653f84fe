// The monkey: a long random sequence of every event of the bench, with a fixed seed,
// checking the whole bench after each one. TARVELO_SOAK_EVENTS sets the number of
// events (split between a point and a comma locale), TARVELO_SOAK_SEED the seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "BenchInvariants.h"
#include "SoakEvents.h"
#include "SoakHost.h"

namespace eh::soak {
namespace {

constexpr long kDefaultEvents = 100000;

long envNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return fallback;
    char* end = nullptr;
    const long n = std::strtol(value, &end, 10);
    return (*end == '\0' && n > 0) ? n : fallback;
}

// How far the run went: a run that never cooled the sample or filled the register
// would pass without having tested much.
struct Coverage {
    float minT = 1e9f, maxT = 0.0f, maxB = 0.0f;
    double minVolt = 0.0, maxVolt = 0.0;
    int filesChecked = 0, cancelledSaves = 0, failedSaves = 0, fullRegister = 0, refusedClicks = 0;
};

class SoakRun {
public:
    SoakRun(char separator, unsigned seed) : random_(seed), host_(random_), bench_(host_, separator) {
        bench_.setChangeListener([this](WidgetId id) {
            if (static_cast<std::size_t>(id) >= kWidgetCount) badNotification_ = true;
            ++notifications_;
        });
        bench_.Form_Load();
    }

    // Runs `events` events; stops at the first broken rule with the recent history.
    void run(long events) {
        EventPicker picker;
        for (long i = 0; i < events;) {
            const SoakEvent& event = picker.next(random_);
            const int burst = std::uniform_int_distribution<int>(1, event.maxBurst)(random_);
            for (int k = 0; k < burst && i < events; ++k, ++i) {
                remember(event.name);
                if (!step(event)) {
                    ADD_FAILURE() << "after event " << i << " (" << event.name << ")\n"
                                  << report_ << history();
                    return;
                }
                observe();
            }
        }
    }

    const Coverage& coverage() const { return coverage_; }

private:
    bool step(const SoakEvent& event) {
        const int dialogsBefore = host_.dialogs;
        const int messagesBefore = host_.messages;
        const bool unsavedBefore = bench_.hasUnsavedRecords();
        const long notificationsBefore = notifications_;
        try {
            event.apply(bench_, random_);
        } catch (const std::exception& e) {
            report_ = std::string("exception escaped: ") + e.what() + "\n";
            return false;
        } catch (...) {
            report_ = "unknown exception escaped\n";
            return false;
        }
        if (notifications_ == notificationsBefore) ++coverage_.refusedClicks;
        std::vector<std::string> broken = benchViolations(bench_);
        const int newMessages = host_.messages - messagesBefore;
        const bool saveAsked = host_.dialogs != dialogsBefore;
        if (saveAsked && host_.lastSaveMustFail(bench_.storedRecords())) {
            checkFailedSave(broken, newMessages, unsavedBefore);
        } else {
            if (newMessages != 0) broken.push_back("message box requested: " + host_.lastMessage);
            if (saveAsked && host_.lastKind != SoakHost::Answer::DiskFull) checkSavedFile(broken);
        }
        if (host_.busyPointer) broken.push_back("busy pointer left on");
        if (badNotification_) broken.push_back("notification for an unknown widget");
        for (const auto& line : broken) report_ += "  " + line + "\n";
        return broken.empty();
    }

    static std::string contentOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // A save that was not cancelled left a file holding exactly the register.
    void checkSavedFile(std::vector<std::string>& broken) {
        if (!host_.lastAnswer) {
            ++coverage_.cancelledSaves;
            return;
        }
        const std::string expected = bench_.registerContent();
        if (contentOf(*host_.lastAnswer) != expected)
            broken.push_back("saved file " + *host_.lastAnswer + " differs from the register of " +
                             std::to_string(bench_.storedRecords()) + " records");
        if (bench_.hasUnsavedRecords()) broken.push_back("records still unsaved after a save");
        saved_[*host_.lastAnswer] = expected;
        checkFolder(broken);
        ++coverage_.filesChecked;
    }

    // A save that cannot succeed says so once, keeps the records unsaved and touches
    // no file saved before.
    void checkFailedSave(std::vector<std::string>& broken, int newMessages, bool unsavedBefore) {
        if (newMessages != 1 || host_.lastMessage.rfind("MENSAJE DE ERROR: Error ", 0) != 0)
            broken.push_back(std::to_string(newMessages) + " messages for the failed save to " +
                             *host_.lastAnswer + ", the last: " + host_.lastMessage);
        if (bench_.hasUnsavedRecords() != unsavedBefore)
            broken.push_back("a failed save changed what is unsaved");
        for (const auto& [path, content] : saved_)
            if (contentOf(path) != content) broken.push_back("a failed save changed " + path);
        checkFolder(broken);
        ++coverage_.failedSaves;
    }

    // Nothing but the data files, and the read-only one, in the save folder.
    void checkFolder(std::vector<std::string>& broken) {
        for (const auto& entry : std::filesystem::directory_iterator(host_.folder())) {
            const std::string name = entry.path().filename().string();
            if (name != "registro.ASC" && name != "medidas.asc" && name != "solo-lectura.ASC")
                broken.push_back("stray file in the save folder: " + name);
        }
    }

    void observe() {
        coverage_.minT = std::min(coverage_.minT, bench_.T_Medida);
        coverage_.maxT = std::max(coverage_.maxT, bench_.T_Medida);
        coverage_.maxB = std::max(coverage_.maxB, bench_.B_Iman);
        const double v = bench_.Lectura_Volt.value();
        coverage_.minVolt = std::min(coverage_.minVolt, v);
        coverage_.maxVolt = std::max(coverage_.maxVolt, v);
        if (bench_.Num_Registro == 101) ++coverage_.fullRegister;
    }

    void remember(std::string_view name) {
        recent_.push_back(name);
        if (recent_.size() > 40) recent_.pop_front();
    }
    std::string history() const {
        std::ostringstream out;
        out << "last events:";
        for (auto name : recent_) out << ' ' << name;
        return out.str();
    }

    std::mt19937 random_;
    SoakHost host_;
    BenchModel bench_;
    std::deque<std::string_view> recent_;
    std::string report_;
    std::map<std::string, std::string> saved_; // path -> what the last save there wrote
    long notifications_ = 0;
    bool badNotification_ = false;
    Coverage coverage_;
};

class Soak : public ::testing::TestWithParam<char> {};

TEST_P(Soak, EveryEventInAnyOrderKeepsTheBenchSound) {
    const long total = envNumber("TARVELO_SOAK_EVENTS", kDefaultEvents);
    const auto seed = static_cast<unsigned>(envNumber("TARVELO_SOAK_SEED", 20240614));
    const char separator = GetParam();
    const long events = separator == '.' ? total / 2 : total - total / 2;

    SoakRun run(separator, seed + (separator == '.' ? 0u : 1u));
    run.run(events);
    const Coverage& c = run.coverage();
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
