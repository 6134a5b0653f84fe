// Storing a record and saving a full register.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "StartedBench.h"
#include "datafile/JournalFile.h"

namespace eh::bench {
namespace {

// One Acumular press; the register is emptied (through its field) whenever it fills.
void Acumular(benchmark::State& state) {
    StartedBench bench;
    bench.hallReading();
    bench.model.Bot_Inter_Click();
    for (auto _ : state) {
        if (bench.model.Num_Registro > BenchState::kRegisterSlots) bench.model.Num_Registro = 1;
        bench.model.Acumular_Click();
    }
    bench.failIfMessages(state);
}
BENCHMARK(Acumular);

// One Acumular press with its journal entry written and synced to the disk before the
// press returns, as the program runs it, into a fresh temporary folder. Wall time: the
// wait for the disk is what the student would notice.
void Acumular_with_journal(benchmark::State& state) {
    std::string folder = (std::filesystem::temp_directory_path() / "tarvelo-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    {
        JournalFile journal(folder + "/Tarvelo");
        StartedBench bench;
        bench.model.setJournal(&journal);
        bench.hallReading();
        bench.model.Bot_Inter_Click();
        for (auto _ : state) {
            // Emptied (and its journal with it) whenever the register fills.
            if (bench.model.Num_Registro > BenchState::kRegisterSlots) bench.model.Reset_Click();
            bench.model.Acumular_Click();
        }
        if (journal.lastError() != 0) state.SkipWithError("the journal could not be written");
        bench.failIfMessages(state);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(Acumular_with_journal)->Unit(benchmark::kMillisecond)->UseRealTime();

// Salvar with a register of 100 records, into a fresh temporary folder: the dialog,
// the 100 lines and the safe replacement of the file (written beside it, flushed to
// disk, renamed over it).
void Salvar_100_records(benchmark::State& state) {
    std::string folder = (std::filesystem::temp_directory_path() / "tarvelo-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    StartedBench bench;
    bench.hallReading();
    bench.field(800, 40);
    bench.model.Bot_Inter_Click();
    for (int i = 0; i < BenchState::kRegisterSlots; ++i) bench.model.Acumular_Click();
    bench.host.answer = folder + "/registro.ASC";
    for (auto _ : state) bench.model.Salvar_Click();
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(*bench.host.answer));
    bench.failIfMessages(state);
    std::filesystem::remove_all(folder);
}
BENCHMARK(Salvar_100_records)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace eh::bench
