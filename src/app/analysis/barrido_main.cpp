// tarvelo-barrido: a whole temperature sweep, or a field sweep at one temperature, on
// the simulated bench, saved as the bench saves it. Teachers make answer keys with it; the tests make
// realistic files.
#include <cstdio>
#include <string>
#include <vector>

#include "sweep/FileAnsweringHost.h"
#include "sweep/SweepPlan.h"
#include "sweep/SweepRunner.h"

int main(int argc, char** argv) {
    using namespace eh::sweep;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    bool help = false;
    const auto plan = parseSweepOptions(args, error, help);
    if (help) {
        std::fputs(kSweepUsage, stdout);
        return 0;
    }
    if (!plan) {
        std::fprintf(stderr, "tarvelo-barrido: %s\n%s", error.c_str(), kSweepUsage);
        return 2;
    }
    const bool field = plan->kind == SweepKind::Field;
    const std::vector<double> targets = field ? std::vector<double>{} : sweepTargets(*plan, error);
    const std::vector<int> positions = field ? fieldSweepPositions(*plan, error) : std::vector<int>{};
    if (targets.empty() && positions.empty()) {
        std::fprintf(stderr, "tarvelo-barrido: %s\n", error.c_str());
        return 2;
    }
    if (const std::string refusal = outputRefusal(*plan); !refusal.empty()) {
        std::fprintf(stderr, "tarvelo-barrido: %s\n", refusal.c_str());
        return 1;
    }

    FileAnsweringHost host(plan->outputFile);
    eh::BenchModel bench(host);
    SweepRunner runner(bench, *plan);
    const auto progress = [](int done, int total, double t) {
        std::fprintf(stderr, "\rtarvelo-barrido: medida %d de %d, T = %.1f K   ", done, total, t);
        std::fflush(stderr);
    };
    const SweepReport report = field ? runner.runField(positions, progress) : runner.run(targets, progress);
    std::fputc('\n', stderr);
    if (report.unsettledPoints > 0)
        std::fprintf(stderr, "tarvelo-barrido: %d medidas tomadas sin que la temperatura se estabilizara\n",
                     report.unsettledPoints);
    if (host.messages > 0) return 1;
    std::fprintf(stderr, "tarvelo-barrido: %d medidas guardadas en %s\n", report.records,
                 plan->outputFile.c_str());
    return 0;
}
